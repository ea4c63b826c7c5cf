//===========================================================================
// jasscribe demo: a small map script that counts kills and reports them.
//===========================================================================
globals
    integer udg_Kills = 0
    real udg_Delay = 2.50
    string udg_Title = "Arena"
    unit array udg_Heroes
    constant integer MAX_KILLS = 10
    trigger gg_trg_Report = null
endglobals

function Rank takes integer kills returns string
    if kills >= MAX_KILLS then
        return "champion"
    elseif kills > 3 then
        return "veteran"
    else
        return "recruit"
    endif
endfunction

function Bonus takes integer kills, real rate returns real
    local real total = 0.0
    local integer i = 1
    // one bonus step per kill, capped at the limit
    loop
        exitwhen i > kills or i > MAX_KILLS
        set total = total + rate * 2
        set i = i + 1
    endloop
    return total
endfunction

function ShowScore takes nothing returns nothing
    local string msg = udg_Title + ": " + I2S(udg_Kills) + " kills, " + Rank(udg_Kills)
    call DisplayTextToPlayer(Player(0), 0, 0, msg)
    if udg_Heroes[0] != null and not IsUnitType(udg_Heroes[0], UNIT_TYPE_DEAD) then
        call SetHeroXP(udg_Heroes[0], R2I(Bonus(udg_Kills, udg_Delay)), true)
    endif
endfunction

function Trig_Report_Actions takes nothing returns nothing
    set udg_Kills = udg_Kills + 1
    call ShowScore()
endfunction

function InitTrig_Report takes nothing returns nothing
    set gg_trg_Report = CreateTrigger()
    call TriggerRegisterTimerEventPeriodic(gg_trg_Report, udg_Delay)
    call TriggerAddAction(gg_trg_Report, function Trig_Report_Actions)
endfunction

function main takes nothing returns nothing
    call InitBlizzard()
    set udg_Heroes[0] = CreateUnit(Player(0), 'Hpal', -128.0, 256.0, 270.0)
    call InitTrig_Report()
    call ExecuteFunc("ShowScore")
endfunction
