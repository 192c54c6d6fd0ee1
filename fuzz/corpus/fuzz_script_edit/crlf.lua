dofile("a.lua")
x = 2
