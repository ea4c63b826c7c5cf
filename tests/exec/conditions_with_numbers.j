// Conditions that start with a number, in if and elseif.
//> first
//> second
function main takes nothing returns nothing
    local integer x = 8
    local integer y = 6
    if 7 + 1 == (x) then
        call BJDebugMsg("first")
    endif
    if 1 > x then
        call BJDebugMsg("wrong")
    elseif 6 >= (y) then
        call BJDebugMsg("second")
    endif
endfunction
