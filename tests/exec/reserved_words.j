// Names that C++ reserves: a function named delete, a global named class,
// a local named new.
//> deleted
//> 10
globals
    integer class = 7
endglobals

function delete takes nothing returns nothing
    call BJDebugMsg("deleted")
endfunction

function main takes nothing returns nothing
    local integer new = 3
    call delete()
    call BJDebugMsg(I2S(class + new))
endfunction
