# A tree whose ground file reaches up into the model and the GUI: the layers
# check must refuse it.
set(QV_FOLDERS app document views)
set(QV_BASE_FOLDERS app/base)
set(QV_GUI_FOLDERS views)
set(QV_HEADLESS_SOURCES)
set(QV_GUI_SOURCES)
