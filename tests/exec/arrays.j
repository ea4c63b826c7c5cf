// Arrays, local and global: elements never set hold their type's default.
//> 9
//> 0
//> x
//> 16
//> false
globals
    integer array squares
    boolean array flags
endglobals

function main takes nothing returns nothing
    local integer i = 0
    local string array names
    loop
        exitwhen i > 4
        set squares[i] = i * i
        set i = i + 1
    endloop
    call BJDebugMsg(I2S(squares[3]))
    call BJDebugMsg(I2S(squares[7]))
    set names[1] = "x"
    call BJDebugMsg(names[1] + names[2])
    call BJDebugMsg(I2S(squares[squares[2]]))
    if flags[3] then
        call BJDebugMsg("true")
    else
        call BJDebugMsg("false")
    endif
endfunction
