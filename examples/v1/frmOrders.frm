VERSION 5.00
Begin VB.Form frmOrders 
   BorderStyle     =   1  'Fixed Single
   Caption         =   "Order Entry"
   ClientHeight    =   5655
   ClientLeft      =   45
   ClientTop       =   330
   ClientWidth     =   7815
   LinkTopic       =   "Form1"
   MaxButton       =   0   'False
   MinButton       =   0   'False
   ScaleHeight     =   5655
   ScaleWidth      =   7815
   StartUpPosition =   2  'CenterScreen
   Begin VB.CommandButton cmdCancel 
      Cancel          =   -1  'True
      Caption         =   "&Cancel"
      Height          =   375
      Left            =   6360
      TabIndex        =   13
      Top             =   5160
      Width           =   1215
   End
   Begin VB.CommandButton cmdSave 
      Caption         =   "&Save"
      Default         =   -1  'True
      Enabled         =   0   'False
      Height          =   375
      Left            =   4980
      TabIndex        =   12
      Top             =   5160
      Width           =   1215
   End
   Begin VB.Frame fraDelivery 
      Caption         =   "Delivery"
      Height          =   1095
      Left            =   4920
      TabIndex        =   9
      Top             =   120
      Width           =   2655
      Begin VB.OptionButton optPickup 
         Caption         =   "Pic&k up at the shop"
         Height          =   255
         Left            =   240
         TabIndex        =   10
         Top             =   300
         Value           =   -1  'True
         Width           =   2175
      End
      Begin VB.OptionButton optDeliver 
         Caption         =   "&Deliver to customer"
         Height          =   255
         Left            =   240
         TabIndex        =   11
         Top             =   660
         Width           =   2175
      End
   End
   Begin VB.CommandButton cmdRemove 
      Caption         =   "&Remove line"
      Enabled         =   0   'False
      Height          =   375
      Left            =   240
      TabIndex        =   8
      Top             =   4560
      Width           =   1335
   End
   Begin VB.ListBox lstItems 
      Height          =   2595
      Left            =   240
      TabIndex        =   7
      Top             =   1860
      Width           =   7335
   End
   Begin VB.CommandButton cmdAdd 
      Caption         =   "&Add"
      Enabled         =   0   'False
      Height          =   315
      Left            =   2280
      TabIndex        =   6
      Top             =   1080
      Width           =   975
   End
   Begin VB.TextBox txtQty 
      Alignment       =   1  'Right Justify
      Height          =   315
      Left            =   1320
      MaxLength       =   4
      TabIndex        =   5
      Text            =   "1"
      Top             =   1080
      Width           =   735
   End
   Begin VB.ComboBox cboProduct 
      Height          =   315
      Left            =   1320
      Style           =   2  'Dropdown List
      TabIndex        =   3
      Top             =   600
      Width           =   3375
   End
   Begin VB.ComboBox cboCustomer 
      Height          =   315
      Left            =   1320
      Style           =   2  'Dropdown List
      TabIndex        =   1
      Top             =   120
      Width           =   3375
   End
   Begin VB.Label lblTotal 
      Alignment       =   1  'Right Justify
      BorderStyle     =   1  'Fixed Single
      Caption         =   "$0.00"
      BeginProperty Font 
         Name            =   "Tahoma"
         Size            =   8.25
         Charset         =   0
         Weight          =   700
         Underline       =   0   'False
         Italic          =   0   'False
         Strikethrough   =   0   'False
      EndProperty
      Height          =   375
      Left            =   5280
      TabIndex        =   15
      Top             =   4560
      Width           =   2295
   End
   Begin VB.Label lblTotalCaption 
      Alignment       =   1  'Right Justify
      Caption         =   "Total:"
      Height          =   255
      Left            =   4200
      TabIndex        =   14
      Top             =   4620
      Width           =   975
   End
   Begin VB.Label lblQty 
      Caption         =   "&Quantity:"
      Height          =   255
      Left            =   240
      TabIndex        =   4
      Top             =   1140
      Width           =   975
   End
   Begin VB.Label lblProduct 
      Caption         =   "Pr&oduct:"
      Height          =   255
      Left            =   240
      TabIndex        =   2
      Top             =   660
      Width           =   975
   End
   Begin VB.Label lblCustomer 
      Caption         =   "C&ustomer:"
      Height          =   255
      Left            =   240
      TabIndex        =   0
      Top             =   180
      Width           =   975
   End
End
Attribute VB_Name = "frmOrders"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

' Order entry form for the Larkspur Lane Bakery counter
Private Const APP_TITLE As String = "Larkspur Orders"
Private Const APP_KEY As String = "LarkspurOrders"
Private Const MB_OK As Long = &H0&

Private Declare Function MessageBeep Lib "user32" (ByVal wType As Long) As Long

Public Event OrderSaved(ByVal SavedOrderNo As Long)

Private mOrderNo As Long
Private mLines() As OrderLine
Private mLineCount As Integer
Private mTotal As Currency
Private mDirty As Boolean
Dim mBusy As Boolean

Private Sub Form_Load()
    ' Prepare the order entry screen
    InitPricing
    LoadCustomers
    LoadProducts

    mOrderNo = NextOrderNo()
    Me.Caption = "Order Entry - #" & CStr(mOrderNo)
    optPickup.Value = True
    mDirty = False
    RecalcTotal
End Sub

Private Sub Form_Unload(Cancel As Integer)
    If mDirty Then
        If MsgBox("This order has not been saved. Close anyway?", _
                  vbQuestion + vbYesNo, APP_TITLE) = vbNo Then
            Cancel = 1
        End If
    End If
End Sub

Private Sub LoadCustomers()
    ' ItemData holds the customer type: 0 retail, 1 cafe, 2 staff
    cboCustomer.Clear
    AddCustomer "Walk-in customer", 0
    AddCustomer "Café Lumen", 1
    AddCustomer "Hillside Tea Rooms", 1
    AddCustomer "Orchard Street Deli", 1
    AddCustomer "Staff purchase", 2
    cboCustomer.ListIndex = 0
End Sub

Private Sub AddCustomer(ByVal CustName As String, ByVal CustType As Long)
    cboCustomer.AddItem CustName
    cboCustomer.ItemData(cboCustomer.NewIndex) = CustType
End Sub

Private Sub LoadProducts()
    Dim vCode As Variant

    cboProduct.Clear
    For Each vCode In Array("SRD", "RYE", "CRS", "BGL", "CIN", "TRT")
        cboProduct.AddItem vCode & " - " & ProductDescription(CStr(vCode))
    Next vCode
    If cboProduct.ListCount > 0 Then cboProduct.ListIndex = 0
End Sub

Private Sub cboCustomer_Click()
    ' A different customer may mean a different discount
    If mLineCount > 0 Then mDirty = True
    RecalcTotal
End Sub

Private Sub txtQty_Change()
    If mBusy Then Exit Sub
    If IsNumeric(txtQty.Text) Then
        cmdAdd.Enabled = (Val(txtQty.Text) > 0)
    Else
        cmdAdd.Enabled = False
    End If
End Sub

Private Sub txtQty_KeyPress(KeyAscii As Integer)
    ' Digits and backspace only; Enter adds the line
    Select Case KeyAscii
        Case vbKey0 To vbKey9, vbKeyBack
            ' accepted as typed
        Case vbKeyReturn
            KeyAscii = 0
            If cmdAdd.Enabled Then cmdAdd_Click
        Case Else
            KeyAscii = 0
            Beep
    End Select
End Sub

Private Sub lstItems_Click()
    cmdRemove.Enabled = (lstItems.ListIndex >= 0)
    If lstItems.ListIndex >= 0 Then
        mBusy = True
        txtQty.Text = CStr(mLines(lstItems.ListIndex + 1).Qty)
        mBusy = False
    End If
End Sub

Private Sub lstItems_DblClick()
    ' Double-click removes the line, same as the Remove button
    If lstItems.ListIndex >= 0 Then cmdRemove_Click
End Sub

Private Sub cmdAdd_Click()
    Dim strCode As String
    Dim intQty As Integer

    If Not ValidateInput() Then Exit Sub

    strCode = Left$(cboProduct.Text, 3)
    intQty = CInt(txtQty.Text)

    mLineCount = mLineCount + 1
    ReDim Preserve mLines(1 To mLineCount)
    With mLines(mLineCount)
        .ProductCode = strCode
        .Description = ProductDescription(strCode)
        .Qty = intQty
        .UnitPrice = GetUnitPrice(strCode, intQty)
    End With

    lstItems.AddItem FormatLine(mLines(mLineCount))
    mDirty = True
    RecalcTotal
End Sub

Private Sub cmdRemove_Click()
	Dim i As Integer
	Dim idx As Integer

	idx = lstItems.ListIndex
	If idx < 0 Then Exit Sub

	' Close the gap in the array; list entry idx is array element idx + 1
	For i = idx + 1 To mLineCount - 1
		mLines(i) = mLines(i + 1)
	Next i
	mLineCount = mLineCount - 1
	If mLineCount > 0 Then
		ReDim Preserve mLines(1 To mLineCount)
	Else
		Erase mLines
	End If

	lstItems.RemoveItem idx
	cmdRemove.Enabled = False
	mDirty = True
	RecalcTotal
End Sub

Private Sub cmdSave_Click()
    Dim intFile As Integer
    Dim i As Integer
    Dim strPath As String

    On Error GoTo SaveFailed

    If mLineCount = 0 Then Exit Sub

    strPath = App.Path & "\Orders\" & CStr(mOrderNo) & ".txt"
    intFile = FreeFile
    Open strPath For Output As #intFile
    Print #intFile, "ORDER"; vbTab; mOrderNo
    Print #intFile, "CUSTOMER"; vbTab; cboCustomer.Text
    Print #intFile, "DATE"; vbTab; Format$(Now, "yyyy-mm-dd hh:nn")
    For i = 1 To mLineCount
        Print #intFile, mLines(i).ProductCode; vbTab; mLines(i).Qty; vbTab; mLines(i).UnitPrice
    Next i
    Print #intFile, "TOTAL"; vbTab; mTotal
    Close #intFile

    SaveSetting APP_KEY, "Counters", "LastOrder", CStr(mOrderNo)
    RaiseEvent OrderSaved(mOrderNo)
    MessageBeep MB_OK
    mDirty = False
    ClearForm
    Exit Sub

SaveFailed:
    MsgBox "The order could not be saved:" & vbCrLf & Err.Description, vbCritical, APP_TITLE
End Sub

Private Sub cmdCancel_Click()
    If mDirty Then
        If MsgBox("Discard this order?", vbQuestion + vbYesNo, APP_TITLE) = vbNo Then Exit Sub
    End If
    ClearForm
End Sub

Private Sub optPickup_Click()
    RecalcTotal
End Sub

Private Sub optDeliver_Click()
    ' The delivery fee is added by RecalcTotal
    RecalcTotal     ' refresh the total
End Sub

Private Function ValidateInput() As Boolean
    ValidateInput = False

    If cboCustomer.ListIndex < 0 Then
        MsgBox "Please choose the customer's name.", vbExclamation, APP_TITLE
        cboCustomer.SetFocus
        Exit Function
    End If

    If Not IsNumeric(txtQty.Text) Then
        MsgBox "Quantity must be a number.", vbExclamation, APP_TITLE
        txtQty.SetFocus
        Exit Function
    End If

    If CInt(txtQty.Text) < 1 Or CInt(txtQty.Text) > MAX_QTY Then
        MsgBox "Quantity must be between 1 and " & MAX_QTY & ".", vbExclamation, APP_TITLE
        txtQty.SetFocus
        Exit Function
    End If

    ValidateInput = True
End Function

Private Sub RecalcTotal()
    Dim i As Integer
    Dim curSub As Currency

    For i = 1 To mLineCount
        curSub = curSub + CalcLineTotal(mLines(i).Qty, mLines(i).UnitPrice)
    Next i
    curSub = curSub + DeliveryCharge(curSub, optDeliver.Value)
    mTotal = curSub + CalcTax(curSub)
    lblTotal.Caption = FormatMoney(mTotal)
    cmdSave.Enabled = (mLineCount > 0)
End Sub

Private Function FormatLine(ByRef Item As OrderLine) As String
    FormatLine = Item.Qty & " x " & Item.Description _
        & vbTab & FormatMoney(Item.UnitPrice) _
        & vbTab & FormatMoney(CalcLineTotal(Item.Qty, Item.UnitPrice))
End Function

Private Sub ClearForm()
    mBusy = True
    Erase mLines
    mLineCount = 0
    lstItems.Clear
    txtQty.Text = "1"
    optPickup.Value = True
    mBusy = False

    mOrderNo = NextOrderNo()
    Me.Caption = "Order Entry - #" & CStr(mOrderNo)
    mDirty = False
    RecalcTotal
End Sub

Private Function NextOrderNo() As Long
    ' The last number used is kept in the registry
    NextOrderNo = CLng(GetSetting(APP_KEY, "Counters", "LastOrder", "1000")) + 1    ' first order is 1001
End Function

Public Property Get OrderNo() As Long
    OrderNo = mOrderNo
End Property

Public Property Let OrderNo(ByVal lngNew As Long)
    mOrderNo = lngNew
    Me.Caption = "Order Entry - #" & CStr(mOrderNo)
End Property
