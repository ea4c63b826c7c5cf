// The string natives: case, parts, length, conversions and comparisons.
//> HELLO
//> hello
//> el
//> 5
//> 42
//> 2.500
//> -17
//> same
//> differs
function main takes nothing returns nothing
    local string s = "hello"
    call BJDebugMsg(StringCase("Hello", true))
    call BJDebugMsg(StringCase("HeLLo", false))
    call BJDebugMsg(SubString(s, 1, 3))
    call BJDebugMsg(I2S(StringLength(s)))
    call BJDebugMsg(I2S(S2I("42")))
    call BJDebugMsg(R2S(S2R("2.5")))
    call BJDebugMsg(I2S(-17))
    if "abc" == "ab" + "c" then
        call BJDebugMsg("same")
    endif
    if "abc" != "abd" then
        call BJDebugMsg("differs")
    endif
endfunction
