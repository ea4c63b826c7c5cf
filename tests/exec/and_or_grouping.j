// The game binds "or" tighter than "and": A or B and C is (A or B) and C,
// A and B or C is A and (B or C); "not" binds tighter than both.
//> B
//> D
//> E
//> F
function main takes nothing returns nothing
    if true or false and false then
        call BJDebugMsg("A")
    else
        call BJDebugMsg("B")
    endif
    if false and true or true then
        call BJDebugMsg("C")
    else
        call BJDebugMsg("D")
    endif
    if not false and true then
        call BJDebugMsg("E")
    endif
    if not true or true then
        call BJDebugMsg("F")
    endif
endfunction
