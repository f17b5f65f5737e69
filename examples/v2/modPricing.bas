Attribute VB_Name = "modPricing"
'------------------------------------------------------------
' modPricing - prices, quantity breaks, tax and delivery
' Larkspur Lane Bakery order entry
'------------------------------------------------------------
Option Explicit

Rem Sales tax applied to every order (prepared food)
Public Const TAX_RATE As Double = 0.07
Public Const DELIVERY_FEE As Currency = 4.5
Public Const FREE_DELIVERY_OVER As Currency = 60
Public Const MAX_QTY As Integer = 500

Public Type PriceBreak
    MinQty As Integer       ' smallest quantity for this break
    Factor As Double        ' multiplied with the base price
End Type

Public Type OrderLine
    ProductCode As String
    Description As String
    Qty As Integer
    UnitPrice As Currency
End Type

Public Declare Function GetPrivateProfileString Lib "kernel32" Alias "GetPrivateProfileStringA" _
    (ByVal lpApplicationName As String, ByVal lpKeyName As Any, ByVal lpDefault As String, _
    ByVal lpReturnedString As String, ByVal nSize As Long, ByVal lpFileName As String) As Long

Private mBreaks() As PriceBreak
Private mBreakCount As Integer
Private mLoaded As Boolean

Public Function FormatMoney(ByVal Amount As Currency) As String
    FormatMoney = Format$(Amount, "$#,##0.00")
End Function

Public Sub InitPricing()

    ' Called once when the application starts
    If mLoaded Then Exit Sub
    LoadPriceBreaks
    mLoaded = True

End Sub

Public Sub ResetPriceCache()
    ' Forget what was read from pricing.ini so it is read again
    Erase mBreaks
    mBreakCount = 0
    mLoaded = False
End Sub

Public Sub LoadPriceBreaks()
    Dim i As Integer
    Dim intPos As Integer
    Dim strValue As String

10 On Error GoTo ErrHandler
20 mBreakCount = Val(ReadIniValue("Breaks", "Count", "3"))
30 If mBreakCount < 1 Then mBreakCount = 1
40 ReDim mBreaks(1 To mBreakCount)
50 For i = 1 To mBreakCount
60     strValue = ReadIniValue("Breaks", "Break" & CStr(i), DefaultBreak(i))
70     intPos = InStr(strValue, ";")
80     If intPos = 0 Then
90         strValue = strValue & ";1"
100         intPos = Len(strValue) - 1
        End If
110     mBreaks(i).MinQty = Val(Left$(strValue, intPos - 1))
120     mBreaks(i).Factor = Val(Mid$(strValue, intPos + 1))
    Next i
130 Exit Sub

ErrHandler:
140 Debug.Print "LoadPriceBreaks: error " & Err.Number & " at line " & Erl
150 mBreakCount = 0
End Sub

Private Function DefaultBreak(ByVal Index As Integer) As String
    ' "minimum quantity;price factor" used when pricing.ini has no entry
    Select Case Index
        Case 1: DefaultBreak = "1;1"
        Case 2: DefaultBreak = "12;0.95"
        Case Else: DefaultBreak = "50;0.9"
    End Select
End Function

Public Function GetUnitPrice(ByVal ProductCode As String, ByVal Qty As Integer) As Currency
    Dim i As Integer
    Dim curBase As Currency

10 On Error GoTo ErrHandler
20 If Not mLoaded Then InitPricing
30 curBase = BasePrice(ProductCode)
40 GetUnitPrice = curBase
50 For i = 1 To mBreakCount
60     If Qty >= mBreaks(i).MinQty Then
70         GetUnitPrice = RoundToCents(curBase * mBreaks(i).Factor)
        End If
    Next i
80 Exit Function

ErrHandler:
90 Debug.Print "GetUnitPrice(" & ProductCode & "): error " & Err.Number & " at line " & Erl
100 GetUnitPrice = 0
End Function

Public Function QtyForNextBreak(ByVal Qty As Integer) As Integer
    ' How many more items are needed to reach the next price break (0 = none)
    Dim i As Integer

    If Not mLoaded Then InitPricing
    For i = 1 To mBreakCount
        If mBreaks(i).MinQty > Qty Then
            QtyForNextBreak = mBreaks(i).MinQty - Qty
            Exit Function
        End If
    Next i
    QtyForNextBreak = 0
End Function

Private Function BasePrice(ByVal Code As String) As Currency
    ' Prices per piece before quantity breaks
    Select Case UCase$(Code)
        Case "SRD": BasePrice = 5.5
        Case "RYE": BasePrice = 4.75
        Case "CRS": BasePrice = 1.6
        Case "BGL": BasePrice = 0.95
        Case "CIN": BasePrice = 2.25
        Case "TRT": BasePrice = 3.4
        Case Else:  BasePrice = 0
    End Select
End Function

Public Function ProductDescription(ByVal Code As String) As String
    ' Short names as shown on the shelf labels and on the receipt
    ' (keep them under 20 characters)
    Select Case UCase$(Code)
        Case "SRD": ProductDescription = "Sourdough loaf"
        Case "RYE": ProductDescription = "Dark rye loaf"
        Case "CRS": ProductDescription = "Butter croissant"
        Case "BGL": ProductDescription = "Sesame bagel"
        Case "CIN": ProductDescription = "Cinnamon swirl"
        Case "TRT": ProductDescription = "Lemon tart"       ' summer months only
        Case Else: ProductDescription = "(unknown product)"
    End Select
End Function

Public Function CalcLineTotal(ByVal Qty As Integer, ByVal UnitPrice As Currency) As Currency
	If Qty <= 0 Then
		CalcLineTotal = 0
	Else
		CalcLineTotal = Qty * UnitPrice
	End If
End Function

Public Function CalcTAX(ByVal Amount As Currency) As Currency
    CalcTax = RoundToCents(Amount * TAX_RATE)
End Function

Public Function RoundToCents(ByVal Value As Double) As Currency
    ' 0.125 becomes 0.13 here, not 0.12 as with banker's rounding
    ' (which is what CCur and Round would give)
    If Value >= 0 Then
        RoundToCents = Int(Value * 100 + 0.5) / 100
    Else
        RoundToCents = -Int(-Value * 100 + 0.5) / 100   ' negative amounts: refunds
    End If
End Function

Public Function ApplyDiscount(ByVal Amount As Currency, ByVal CustomerType As String) As Currency
    Dim dblFactor As Double

    Select Case UCase$(CustomerType)
        Case "CAFE"
            dblFactor = 0.9
        Case "STAFF"
            dblFactor = 0.75
        Case "WHOLESALE"
            dblFactor = 0.85
        Case Else
            dblFactor = 1
    End Select
    ApplyDiscount = RoundToCents(Amount * dblFactor)
End Function

Public Function DeliveryCharge(ByVal Subtotal As Currency, ByVal Deliver As Boolean) As Currency
    If Not Deliver Then
        DeliveryCharge = 0
    ElseIf Subtotal >= FREE_DELIVERY_OVER Then
        DeliveryCharge = 0          ' free delivery for larger orders
    Else
        DeliveryCharge = DELIVERY_FEE
    End If
End Function

Public Function IsHolidayClosure(ByVal OrderDate As Date) As Boolean
    ' The shop is closed on Sundays, 25-26 December and 1 January
    If Weekday(OrderDate) = vbSunday Then
        IsHolidayClosure = True
    ElseIf Month(OrderDate) = 12 And (Day(OrderDate) = 25 Or Day(OrderDate) = 26) Then
        IsHolidayClosure = True
    ElseIf Month(OrderDate) = 1 And Day(OrderDate) = 1 Then
        IsHolidayClosure = True
    Else
        IsHolidayClosure = False
    End If
End Function

Private Function ReadIniValue(ByVal Section As String, ByVal Key As String, _
                              ByVal DefaultValue As String) As String  
    Dim strBuf  As String
    Dim lngLen  As Long 

    strBuf  =  String$(255, vbNullChar)    
    lngLen  =  GetPrivateProfileString(Section, Key, DefaultValue, strBuf, Len(strBuf), IniPath())
    ReadIniValue = Left$(strBuf,  lngLen) 
End Function

Private Function IniPath() As String
    dim p as String

    p = App.Path
    if Right$(p, 1) <> "\" then p = p & "\"
    IniPath = p & "pricing.ini"
end function
