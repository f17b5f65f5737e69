Sub A()
    X = 1
End Sub
