# Warnings are errors on our own code; third-party headers come in as system includes.
function(glintrail_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wno-missing-field-initializers)
endfunction()

# A static library of one application folder: sources listed by the caller.
# Headers are included with their folder from the source root ("kit/Profile.h"),
# so a reader sees which layer a header belongs to.
function(glintrail_library target)
  add_library(${target} STATIC ${ARGN})
  glintrail_warnings(${target})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()
