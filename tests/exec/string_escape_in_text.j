// An escape sequence inside a longer literal stands for its character.
//> a	b
//> 3
function main takes nothing returns nothing
    call BJDebugMsg("a\tb")
    call BJDebugMsg(I2S(StringLength("a\nb")))
endfunction
