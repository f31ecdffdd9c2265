# OpenCV's core and imgproc as one imported target, orvanek::opencv. Debian's
# libopencv-imgproc-dev (and -core-dev) install the headers and libraries without the CMake
# package that libopencv-dev would bring, so they are found by name.
find_path(ORVANEK_OPENCV_INCLUDE_DIR opencv2/imgproc.hpp PATH_SUFFIXES opencv4 REQUIRED)
find_library(ORVANEK_OPENCV_CORE opencv_core REQUIRED)
find_library(ORVANEK_OPENCV_IMGPROC opencv_imgproc REQUIRED)
add_library(orvanek_opencv INTERFACE)
target_include_directories(orvanek_opencv SYSTEM INTERFACE ${ORVANEK_OPENCV_INCLUDE_DIR})
target_link_libraries(orvanek_opencv INTERFACE ${ORVANEK_OPENCV_IMGPROC} ${ORVANEK_OPENCV_CORE})
add_library(orvanek::opencv ALIAS orvanek_opencv)
