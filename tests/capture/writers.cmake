# Image file writers and the text stamp, read back with libtiff, libjpeg-turbo and
# a BMP header reader.
find_package(TIFF REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(TURBOJPEG REQUIRED IMPORTED_TARGET libturbojpeg)
glintrail_test(test_capture_writers SOURCES WritersTest.cpp
  LIBS capturewriters TIFF::TIFF PkgConfig::TURBOJPEG)
# The stamp font drawn by Qt needs a QGuiApplication (offscreen).
glintrail_test(test_capture_glyphs GUI OWN_MAIN SOURCES GlyphsTest.cpp LIBS capturewriters)
