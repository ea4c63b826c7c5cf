// Rawcodes of one symbol, of one letter and of four characters.
//> 43
//> 32
//> 40
//> 44
//> 65
//> 1751543663
function main takes nothing returns nothing
    local integer a = '+'
    call BJDebugMsg(I2S(a))
    call BJDebugMsg(I2S(' '))
    call BJDebugMsg(I2S('('))
    call BJDebugMsg(I2S(','))
    call BJDebugMsg(I2S('A'))
    call BJDebugMsg(I2S('hfoo'))
endfunction
