# The capture engine and its saving thread; a series from the software card's
# ramp camera written through the real writers by the headless recorder.
glintrail_test(test_capture_engine
  SOURCES CaptureEngineTest.cpp CaptureSeriesTest.cpp ${PROJECT_SOURCE_DIR}/tests/zamgrb_card/SimMachine.cpp
  LIBS captureengine)
target_include_directories(test_capture_engine PRIVATE ${PROJECT_SOURCE_DIR}/tests/zamgrb_card)
target_compile_definitions(test_capture_engine PRIVATE GLINTRAIL_CAPTURE="$<TARGET_FILE:glintrail_capture>")
add_dependencies(test_capture_engine glintrail_capture)
