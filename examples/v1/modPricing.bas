Attribute VB_Name = "modPricing"
'------------------------------------------------------------
' modPricing - prices, quantity breaks, tax and delivery
' Larkspur Lane Bakery order entry
'------------------------------------------------------------
Option Explicit

Rem Sales tax applied to every order (food to go)
Public Const TAX_RATE As Double = 0.07
Public Const DELIVERY_FEE As Currency = 4.5
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

Public Sub InitPricing()
    ' Called once when the application starts

    If mLoaded Then Exit Sub

    LoadPriceBreaks

    mLoaded = True
End Sub

Public Sub ClearPriceCache()
    ' Forget what was read from pricing.ini so it is read again
    Erase mBreaks
    mBreakCount = 0
    mLoaded = False
End Sub

Public Sub LoadPriceBreaks()
    Dim i As Integer
    Dim intPos As Integer
    Dim strValue As String

100 On Error GoTo ErrHandler
110 mBreakCount = Val(ReadIniValue("Breaks", "Count", "3"))
120 If mBreakCount < 1 Then mBreakCount = 1
130 ReDim mBreaks(1 To mBreakCount)
140 For i = 1 To mBreakCount
150     strValue = ReadIniValue("Breaks", "Break" & CStr(i), DefaultBreak(i))
160     intPos = InStr(strValue, ";")
170     mBreaks(i).MinQty = Val(Left$(strValue, intPos - 1))
180     mBreaks(i).Factor = Val(Mid$(strValue, intPos + 1))
    Next i
190 Exit Sub

ErrHandler:
200 Debug.Print "LoadPriceBreaks: error " & Err.Number & " at line " & Erl
210 mBreakCount = 0
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

100 On Error GoTo ErrHandler
110 If Not mLoaded Then InitPricing
120 curBase = BasePrice(ProductCode)
130 GetUnitPrice = curBase
140 For i = 1 To mBreakCount
150     If Qty >= mBreaks(i).MinQty Then
160         GetUnitPrice = RoundToCents(curBase * mBreaks(i).Factor)
        End If
    Next i
170 Exit Function

ErrHandler:
180 Debug.Print "GetUnitPrice(" & ProductCode & "): error " & Err.Number & " at line " & Erl
190 GetUnitPrice = 0
End Function

Private Function BasePrice(ByVal Code As String) As Currency
	' Prices per piece before quantity breaks
	Select Case UCase$(Code)
		Case "SRD":	BasePrice = 5.5
		Case "RYE":	BasePrice = 4.75
		Case "CRS":	BasePrice = 1.6
		Case "BGL":	BasePrice = 0.95
		Case "CIN":	BasePrice = 2.25
		Case "TRT":	BasePrice = 3.4
		Case Else:	BasePrice = 0
	End Select
End Function

Public Function ProductDescription(ByVal Code As String) As String
    ' Short names as printed on the counter labels
    Select Case UCase$(Code)
        Case "SRD": ProductDescription = "Sourdough loaf"
        Case "RYE": ProductDescription = "Dark rye loaf"
        Case "CRS": ProductDescription = "Butter croissant"
        Case "BGL": ProductDescription = "Sesame bagel"
        Case "CIN": ProductDescription = "Cinnamon swirl"
        Case "TRT": ProductDescription = "Lemon tart"       ' seasonal
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

Public Function CalcTax(ByVal Amount As Currency) As Currency
    CalcTax = RoundToCents(Amount * TAX_RATE)
End Function

Public Function RoundToCents(ByVal Value As Double) As Currency
    ' Round half away from zero; CCur and Round use banker's rounding
    If Value >= 0 Then
        RoundToCents = Int(Value * 100 + 0.5) / 100
    Else
        RoundToCents = -Int(-Value * 100 + 0.5) / 100
    End If
End Function

Public Function ApplyDiscount(ByVal Amount As Currency, ByVal CustomerType As String) As Currency
    Select Case UCase$(CustomerType)
        Case "CAFE"
            ApplyDiscount = Amount * 0.9
        Case "STAFF"
            ApplyDiscount = Amount * 0.8
        Case Else
            ApplyDiscount = Amount
    End Select
End Function

Public Function DeliveryCharge(ByVal Subtotal As Currency, ByVal Deliver As Boolean) As Currency
    If Not Deliver Then
        DeliveryCharge = 0
    Else
        DeliveryCharge = DELIVERY_FEE
    End If
End Function

Public Function FormatMoney(ByVal Amount As Currency) As String
    FormatMoney = Format$(Amount, "$#,##0.00")
End Function

Public Function IsWeekendOrder(ByVal OrderDate As Date) As Boolean
    Dim d As Integer

    d = Weekday(OrderDate, vbMonday)
    IsWeekendOrder = (d >= 6)
End Function

Private Function ReadIniValue(ByVal Section As String, ByVal Key As String, _
                              ByVal DefaultValue As String) As String
    Dim strBuf As String
    Dim lngLen As Long

    strBuf = String$(255, vbNullChar)
    lngLen = GetPrivateProfileString(Section, Key, DefaultValue, strBuf, Len(strBuf), IniPath())
    ReadIniValue = Left$(strBuf, lngLen)
End Function

Private Function IniPath() As String
    Dim p As String

    p = App.Path
    If Right$(p, 1) <> "\" Then p = p & "\"
    IniPath = p & "pricing.ini"
End Function
