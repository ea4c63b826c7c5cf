// ExecuteFunc runs exactly the function it names, or nothing: names whose
// old hashes were alike, an unknown name, and a name that C++ reserves.
//> one
//> two
//> wave actions
//> wave reset
//> deleted
//> end
function Step_1 takes nothing returns nothing
    call BJDebugMsg("one")
endfunction

function Step_2 takes nothing returns nothing
    call BJDebugMsg("two")
endfunction

function Trig_Wave_Actions takes nothing returns nothing
    call BJDebugMsg("wave actions")
endfunction

function Trig_Wave_Reset takes nothing returns nothing
    call BJDebugMsg("wave reset")
endfunction

function delete takes nothing returns nothing
    call BJDebugMsg("deleted")
endfunction

function main takes nothing returns nothing
    call ExecuteFunc("Step_1")
    call ExecuteFunc("Step_2")
    call ExecuteFunc("Trig_Wave_Actions")
    call ExecuteFunc("Trig_Wave_Reset")
    call ExecuteFunc("Step_3")
    call ExecuteFunc("delete")
    call BJDebugMsg("end")
endfunction
