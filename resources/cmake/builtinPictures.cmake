# The pictures built into the program (resources/pictures/builtin, drawn by
# resources/pictures/drawPictures.py) become a source of the GUI library.
set(QV_PICTURE_FOLDER ${PROJECT_SOURCE_DIR}/resources/pictures/builtin)
file(GLOB QV_BUILTIN_PICTURES CONFIGURE_DEPENDS ${QV_PICTURE_FOLDER}/*.png)
set(QV_PICTURE_SOURCE ${CMAKE_CURRENT_BINARY_DIR}/gumPictureData.cpp)
add_custom_command(OUTPUT ${QV_PICTURE_SOURCE}
  COMMAND ${CMAKE_COMMAND} -DQV_PICTURES=${QV_PICTURE_FOLDER} -DQV_OUT=${QV_PICTURE_SOURCE}
          -P ${PROJECT_SOURCE_DIR}/resources/cmake/embedPictures.cmake
  DEPENDS ${QV_BUILTIN_PICTURES} ${PROJECT_SOURCE_DIR}/resources/cmake/embedPictures.cmake
  COMMENT "Building the pictures into the program")
target_sources(qvgui PRIVATE ${QV_PICTURE_SOURCE})
