// Reals are 32-bit: a real compared with the literal it was set to is
// equal, and arithmetic with literals rounds as 32-bit reals do.
//> equal
//> 0.300
//> 0.333
//> 3.500
//> 2
//> -2
//> 2.500
function main takes nothing returns nothing
    local real r = 0.1
    if r == 0.1 then
        call BJDebugMsg("equal")
    else
        call BJDebugMsg("different")
    endif
    call BJDebugMsg(R2S(r * 3))
    call BJDebugMsg(R2S(1.0 / 3))
    call BJDebugMsg(R2S(I2R(7) / 2))
    call BJDebugMsg(I2S(R2I(2.9)))
    call BJDebugMsg(I2S(R2I(-2.9)))
    call BJDebugMsg(R2S(.5 + 2.))
endfunction
