object Form1: TForm
  Left = 0
  Top = 0
  Width = 600
  Height = 400
  Caption = 'Address book'
  object Cards: TOstrel
    Left = 44
    Top = 0
    Width = 556
    Height = 373
    Align = alClient
    ColumnWidth = 170
    Sorted = True
    OnChange = CardsChange
  end
  object Letters: TOstrelButtonsBar
    Left = 0
    Top = 0
    Width = 44
    Height = 373
    Align = alLeft
    Ostrel = Cards
  end
end
