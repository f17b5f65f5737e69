Option Explicit
Dim x As Long

Private Sub Form_Load()
    x = 1
    Show
End Sub

Sub Gone()
End Sub
