# Which layer each source file belongs to; paths relative to src/.
#
# The ground (qvbase) is every .cpp directly in QV_BASE_FOLDERS. Every .cpp of
# QV_GUI_FOLDERS goes to qvgui unless QV_HEADLESS_SOURCES names it. Every other
# .cpp of QV_FOLDERS goes to the model and devices (qvcore), except the files
# QV_GUI_SOURCES names, which need windows and go to qvgui.

set(QV_FOLDERS app data document hardware views protocol transport files wizard dialogs)
set(QV_BASE_FOLDERS app/base transport)
set(QV_GUI_FOLDERS views dialogs)

# Files of the GUI folders that need no window.
set(QV_HEADLESS_SOURCES
  views/docTool.cpp
  views/grnPalette.cpp
)

set(QV_GUI_SOURCES
  app/gumApp.cpp
  app/gumRes.cpp
  app/gumFrame.cpp
  app/gumDocManager.cpp
  app/gumDocPrintout.cpp
  app/gumMenus.cpp
  app/gumPageMargins.cpp
  app/gumWin.cpp
  app/gumIdle.cpp
  app/gudOptions.cpp
  app/barBase.cpp
  app/barSide.cpp
  app/barTool.cpp
  app/barActivity.cpp
  app/barHelp.cpp
  app/gumHtmlFilter.cpp
  app/gumHelpController.cpp
  app/gumWindowHelpers.cpp
  app/gumTestHooks.cpp
  wizard/gudSetupWizard.cpp
  wizard/gudRadioGroup.cpp
  wizard/gudSetupPages.cpp
  wizard/gudSetupType.cpp
  wizard/gudSetupTimingMeasurement.cpp
  wizard/gudSetupTimingSensors.cpp
  wizard/gudSetupTimingObject.cpp
  wizard/gudSetupTimingMass.cpp
  wizard/gudSetupRange.cpp
  wizard/gudSetupReadings.cpp
  wizard/gudSetupDuration.cpp
  wizard/gudSetupReady.cpp
  document/gumDoc.cpp
  document/gumDocDialogs.cpp
  document/gumDocChannels.cpp
  document/gumDocMenus.cpp
  files/gumFileDialogs.cpp
  transport/platform/zxMessageDialog.cpp
  document/gumDocCommands.cpp
  document/gumDocExport.cpp
  wizard/gudMatch.cpp
)
