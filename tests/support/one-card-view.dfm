object Form1: TForm
  Left = 8
  Top = 8
  Width = 480
  Height = 360
  Caption = 'Form1'
  object Ostrel1: TOstrel
    Left = 8
    Top = 8
    Width = 400
    Height = 300
  end
end
