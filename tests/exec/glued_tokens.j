// Operators next to numbers: a hexadecimal number before "-", and a
// negative number after "-".
//> 20
//> 8
//> 13
function main takes nothing returns nothing
    local integer x = 10
    local integer g = 5 - -3
    set x = 0x1E - x
    call BJDebugMsg(I2S(x))
    call BJDebugMsg(I2S(g))
    call BJDebugMsg(I2S(g - -5))
endfunction
