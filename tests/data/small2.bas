Option Explicit
Dim x  As Long

private sub form_load()
    x = 2
    Show
End Sub
Sub Café()
End Sub