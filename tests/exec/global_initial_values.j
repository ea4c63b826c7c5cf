// Initial values of globals run in declaration order and read the globals
// declared before them; one may call a wrapped native.
//> 6
//> not c
//> 42
//> 9
//> 8
globals
    integer a = 5
    integer b = a + 1
    boolean c = true == (a < 3)
    string s = I2S(42)
    integer d = b + 3
    integer g = 5 - -3
endglobals

function main takes nothing returns nothing
    call BJDebugMsg(I2S(b))
    if c then
        call BJDebugMsg("c")
    else
        call BJDebugMsg("not c")
    endif
    call BJDebugMsg(s)
    call BJDebugMsg(I2S(d))
    call BJDebugMsg(I2S(g))
endfunction
