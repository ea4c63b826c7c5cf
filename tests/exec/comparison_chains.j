// Comparison chains in initial values of globals: the relational operators
// first, then "==".
//> true
//> false
globals
    integer x = 5
    boolean b = x > 4 == x < 7
    boolean b2 = x > 6 == x < 7
endglobals

function main takes nothing returns nothing
    if b then
        call BJDebugMsg("true")
    else
        call BJDebugMsg("false")
    endif
    if b2 then
        call BJDebugMsg("true")
    else
        call BJDebugMsg("false")
    endif
endfunction
