sub a()
    x = 1
end sub
