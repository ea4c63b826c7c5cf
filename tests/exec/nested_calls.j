// Calls as arguments of calls, and recursion.
//> 9
//> 120
//> [[ok]]
function Add takes integer a, integer b returns integer
    return a + b
endfunction

function Twice takes integer a returns integer
    return Add(a, a)
endfunction

function Fact takes integer n returns integer
    if n <= 1 then
        return 1
    endif
    return n * Fact(n - 1)
endfunction

function Wrap takes string s returns string
    return "[" + s + "]"
endfunction

function main takes nothing returns nothing
    call BJDebugMsg(I2S(Add(Twice(3), Add(1, 2))))
    call BJDebugMsg(I2S(Fact(5)))
    call BJDebugMsg(Wrap(Wrap("ok")))
endfunction
