// Escape sequences: a quote, a backslash, and a one-escape literal joined
// to others (a line feed, so the message has two lines).
//> say "hi"
//> back\slash
//> x
//> y
function main takes nothing returns nothing
    call BJDebugMsg("say \"hi\"")
    call BJDebugMsg("back\\slash")
    call BJDebugMsg("x" + "\n" + "y")
endfunction
