// StringHash ignores the case of letters and takes "/" as "\"; every
// character counts, so data saved under look-alike names stays apart.
//> AB = ab
//> \ = /
//> Step_1 <> Step_2
//> Trig_Wave_Actions <> Trig_Wave_Reset
//> 100
//> 7
function main takes nothing returns nothing
    local hashtable ht = InitHashtable()
    if StringHash("AB") == StringHash("ab") then
        call BJDebugMsg("AB = ab")
    endif
    if StringHash("\\") == StringHash("/") then
        call BJDebugMsg("\\ = /")
    endif
    if StringHash("Step_1") != StringHash("Step_2") then
        call BJDebugMsg("Step_1 <> Step_2")
    endif
    if StringHash("Trig_Wave_Actions") != StringHash("Trig_Wave_Reset") then
        call BJDebugMsg("Trig_Wave_Actions <> Trig_Wave_Reset")
    endif
    call SaveInteger(ht, 0, StringHash("PlayerGold"), 100)
    call SaveInteger(ht, 0, StringHash("PlayerGems"), 7)
    call BJDebugMsg(I2S(LoadInteger(ht, 0, StringHash("PlayerGold"))))
    call BJDebugMsg(I2S(LoadInteger(ht, 0, StringHash("PlayerGems"))))
endfunction
