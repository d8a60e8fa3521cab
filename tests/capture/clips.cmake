# The clip path: CAVIWriter and the saving thread's clip frames, with clips from
# the software card's ramp camera read back with FFmpeg.
find_package(PkgConfig REQUIRED)
pkg_check_modules(FFMPEG_READ REQUIRED IMPORTED_TARGET libavformat libavcodec libavutil libswscale)
glintrail_test(test_capture_clips
  SOURCES ClipTest.cpp ${PROJECT_SOURCE_DIR}/tests/zamgrb_card/SimMachine.cpp
  LIBS captureengine PkgConfig::FFMPEG_READ)
target_include_directories(test_capture_clips PRIVATE ${PROJECT_SOURCE_DIR}/tests/zamgrb_card
                                                      ${PROJECT_SOURCE_DIR}/tests/moviemaker)
target_compile_definitions(test_capture_clips PRIVATE GLINTRAIL_CAPTURE="$<TARGET_FILE:glintrail_capture>")
add_dependencies(test_capture_clips glintrail_capture)
