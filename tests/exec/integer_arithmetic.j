// Integer division truncates towards zero; integers are 32-bit and wrap.
//> 3
//> -3
//> 1
//> -2147483648
//> 2147483647
function main takes nothing returns nothing
    local integer big = 2147483647
    call BJDebugMsg(I2S(7 / 2))
    call BJDebugMsg(I2S(-7 / 2))
    call BJDebugMsg(I2S(7 - 7 / 2 * 2))
    set big = big + 1
    call BJDebugMsg(I2S(big))
    set big = big - 1
    call BJDebugMsg(I2S(big))
endfunction
