# The sources of each library, listed by hand so a stray file never slips into a build.
# Paths are relative to this folder; the folders go lowest layer first, and a folder
# includes only from the folders before it (tests/layering checks it).
set(SUMWISE_CORE_SOURCES
  platform/ErrorLog.cpp
  platform/FileOps.cpp
  number/Arithmetic.cpp
  number/NumberGrammar.cpp
  number/NumberText.cpp
  tape/Tape.cpp
  tape/TapeCsv.cpp
  tape/TapeFile.cpp
  tape/TapeFileGrammar.cpp
  tape/TapeLine.cpp
  tape/TapePrinter.cpp
  tape/TapeRecalculation.cpp
  engine/Calculator.cpp
  engine/EntryRegister.cpp
  engine/Functions.cpp
  engine/KeyMap.cpp
  engine/Paste.cpp
  engine/TapeMove.cpp
  memory/MemoryBanks.cpp
  converter/Categories.cpp
  converter/ConvertNumber.cpp
  converter/Converter.cpp
  converter/FactorTables.cpp
  converter/Temperature.cpp
  settings/OptionsFile.cpp
  settings/ProfileText.cpp
  settings/SettingsFile.cpp
  settings/SettingsSchema.cpp
  settings/TextEncoding.cpp
  form/CalcForm.cpp
  form/KeysController.cpp
  form/OptionHandlers.cpp
  form/SettingsController.cpp
  form/TapeDocument.cpp
  form/TapeEditor.cpp
  form/TapeJournal.cpp
  form/TapeUndo.cpp)

# The Qt front end; headers with Q_OBJECT are listed so AUTOMOC finds them.
set(SUMWISE_QT_SOURCES
  qt/AboutWindow.cpp qt/AboutWindow.h
  qt/ChangeTapePanel.cpp qt/ChangeTapePanel.h
  qt/Contrast.cpp qt/Contrast.h
  qt/ConverterPanel.cpp qt/ConverterPanel.h
  qt/DisplayLabel.cpp qt/DisplayLabel.h
  qt/HelpOpener.cpp qt/HelpOpener.h
  qt/HelpWindow.cpp qt/HelpWindow.h
  qt/KeyBindings.cpp qt/KeyBindings.h
  qt/ControlPlaces.h
  qt/KeypadLayout.cpp qt/KeypadLayout.h
  qt/KeypadPanel.cpp qt/KeypadPanel.h
  qt/MainWindow.cpp qt/MainWindow.h qt/MainWindowKeys.cpp qt/MainWindowMenus.cpp
  qt/MainWindowPlace.cpp qt/MainWindowPlatform.h qt/MainWindowShutDown.cpp
  qt/MemoryPanel.cpp qt/MemoryPanel.h
  qt/PanelFrame.h
  qt/DefaultPrinter.cpp qt/DefaultPrinter.h
  qt/PrinterSurface.cpp qt/PrinterSurface.h
  qt/QtPlatform.cpp qt/QtPlatform.h
  qt/ShutdownSignals.cpp qt/ShutdownSignals.h
  qt/TabularFont.cpp qt/TabularFont.h
  qt/TapeLineDelegate.cpp qt/TapeLineDelegate.h
  qt/TapeListModel.cpp qt/TapeListModel.h
  qt/TapePanel.cpp qt/TapePanel.h
  qt/TapeView.cpp qt/TapeView.h
  qt/WindowPlace.cpp qt/WindowPlace.h)
