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
  engine/MarginMarkup.cpp
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
  history/HistorySearch.cpp
  history/KeptTapeName.cpp
  history/KeptTapeSummary.cpp
  history/TapeHistory.cpp
  form/CalcForm.cpp
  form/HistoryKeeper.cpp
  form/KeysController.cpp
  form/OptionHandlers.cpp
  form/SettingsController.cpp
  form/TapeDocument.cpp
  form/TapeDocumentHistory.cpp
  form/TapeEditor.cpp
  form/TapeJournal.cpp
  form/TapeUndo.cpp)

# The Qt front end, its folders lowest first: the Qt services behind the platform interface,
# the panels, the window. Headers with Q_OBJECT are listed so AUTOMOC finds them.
set(SUMWISE_QT_SOURCES
  qt/services/DefaultPrinter.cpp qt/services/DefaultPrinter.h
  qt/services/HelpOpener.cpp qt/services/HelpOpener.h
  qt/services/HelpWindow.cpp qt/services/HelpWindow.h
  qt/services/PrinterSurface.cpp qt/services/PrinterSurface.h
  qt/services/QtPlatform.cpp qt/services/QtPlatform.h
  qt/services/ShutdownSignals.cpp qt/services/ShutdownSignals.h
  qt/panels/ChangeTapePanel.cpp qt/panels/ChangeTapePanel.h
  qt/panels/Contrast.cpp qt/panels/Contrast.h
  qt/panels/ControlPlaces.h
  qt/panels/ConverterPanel.cpp qt/panels/ConverterPanel.h
  qt/panels/DisplayAccessible.cpp qt/panels/DisplayAccessible.h
  qt/panels/DisplayLabel.cpp qt/panels/DisplayLabel.h
  qt/panels/KeypadLayout.cpp qt/panels/KeypadLayout.h
  qt/panels/KeypadPanel.cpp qt/panels/KeypadPanel.h
  qt/panels/MemoryPanel.cpp qt/panels/MemoryPanel.h
  qt/panels/OutlinedCheckStyle.cpp qt/panels/OutlinedCheckStyle.h
  qt/panels/OutlinedRadioButton.cpp qt/panels/OutlinedRadioButton.h
  qt/panels/PanelAccessibility.cpp qt/panels/PanelAccessibility.h
  qt/panels/PanelFrame.h
  qt/panels/TabularFont.cpp qt/panels/TabularFont.h
  qt/panels/TapeAccessible.cpp qt/panels/TapeAccessible.h
  qt/panels/TapeLineDelegate.cpp qt/panels/TapeLineDelegate.h
  qt/panels/TapeListModel.cpp qt/panels/TapeListModel.h
  qt/panels/TapePanel.cpp qt/panels/TapePanel.h
  qt/panels/TapeView.cpp qt/panels/TapeView.h
  qt/window/AboutWindow.cpp qt/window/AboutWindow.h
  qt/window/HistoryModel.cpp qt/window/HistoryModel.h
  qt/window/HistoryWindow.cpp qt/window/HistoryWindow.h
  qt/window/KeyBindings.cpp qt/window/KeyBindings.h
  qt/window/MainWindow.cpp qt/window/MainWindow.h
  qt/window/MainWindowKeys.cpp
  qt/window/MainWindowMenus.cpp
  qt/window/MainWindowPlace.cpp
  qt/window/MainWindowPlatform.h
  qt/window/MainWindowShutDown.cpp
  qt/window/MainWindowSize.cpp
  qt/window/MarginDialog.cpp qt/window/MarginDialog.h
  qt/window/WindowPlace.cpp qt/window/WindowPlace.h)
