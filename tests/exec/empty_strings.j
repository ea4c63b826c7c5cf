// The empty string has no characters; a string without a value (null) is
// empty when it is joined or measured.
//> 0
//> empty
//> []
//> 0
//> [ab]
function main takes nothing returns nothing
    local string e = ""
    local string n
    call BJDebugMsg(I2S(StringLength(e)))
    if e == "" then
        call BJDebugMsg("empty")
    endif
    call BJDebugMsg("[" + e + "]")
    call BJDebugMsg(I2S(StringLength(n)))
    call BJDebugMsg("[" + n + "a" + n + "b]")
endfunction
