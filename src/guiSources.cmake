# Sources that need windows (linked into qvgui); paths relative to src/.
set(QV_GUI_SOURCES
  app/gumApp.cpp
  app/gumRes.cpp
  app/gumFrame.cpp
  app/gumDocManager.cpp
  app/gumWindowHelpers.cpp
  app/gumTestHooks.cpp
  document/gumDoc.cpp
  views/gumView.cpp
  transport/platform/zxMessageDialog.cpp
)
