# The desktop program: Qt 6 Widgets and QScintilla over the core.
find_package(Qt6 REQUIRED COMPONENTS Widgets)
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)
find_library(QSCINTILLA_LIBRARY NAMES qscintilla2_qt6 REQUIRED)
find_path(QSCINTILLA_INCLUDE_DIR NAMES Qsci/qsciscintilla.h PATH_SUFFIXES qt6 x86_64-linux-gnu/qt6 REQUIRED)

list(FILTER VELKOR_APP_SOURCES EXCLUDE REGEX ".*/main\\.cpp$")
file(GLOB VELKOR_APP_RESOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/app/*.qrc)
add_library(velkor_app STATIC ${VELKOR_APP_SOURCES} ${VELKOR_APP_RESOURCES})
target_include_directories(velkor_app PUBLIC ${PROJECT_SOURCE_DIR}/src ${QSCINTILLA_INCLUDE_DIR})
target_link_libraries(velkor_app PUBLIC velkor_core velkor_version Qt6::Widgets ${QSCINTILLA_LIBRARY})
add_executable(velkor ${PROJECT_SOURCE_DIR}/src/app/main.cpp)
target_link_libraries(velkor PRIVATE velkor_app)
if(WIN32)
  # QScintilla's classes come from its DLL; a window program, without a console beside it.
  target_compile_definitions(velkor_app PUBLIC QSCINTILLA_DLL)
  set_target_properties(velkor PROPERTIES WIN32_EXECUTABLE ON VELKOR_SHARED_RUNTIME ON)
  if(COMMAND velkor_windows_resource)
    velkor_windows_resource(velkor "Velkor: NetCAD > XML")
  endif()
endif()

# Desktop benchmarks (programs, not tests: timings vary by machine): the viewer on a large document,
# the model path through the windows.
if(VELKOR_BENCH AND NOT CMAKE_CROSSCOMPILING)
  file(GLOB VELKOR_APP_BENCHES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/app/*.cpp)
  foreach(src ${VELKOR_APP_BENCHES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(bench_${name} ${src})
    target_link_libraries(bench_${name} PRIVATE velkor_app)
  endforeach()
endif()
