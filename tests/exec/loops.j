// Loops end at exitwhen, wherever it stands; nested loops end separately.
//> 55
//> 0
//> -1:1 2:1 2:2 3:1 3:2 3:3
function main takes nothing returns nothing
    local integer i = 1
    local integer j
    local integer sum = 0
    local string line = "-"
    loop
        set sum = sum + i
        set i = i + 1
        exitwhen i > 10
    endloop
    call BJDebugMsg(I2S(sum))
    set sum = 0
    loop
        exitwhen true
        set sum = sum + 1
    endloop
    call BJDebugMsg(I2S(sum))
    set i = 1
    loop
        exitwhen i > 3
        set j = 1
        loop
            exitwhen j > i
            if i > 1 or j > 1 then
                set line = line + " "
            endif
            set line = line + I2S(i) + ":" + I2S(j)
            set j = j + 1
        endloop
        set i = i + 1
    endloop
    call BJDebugMsg(line)
endfunction
