# Fails unless the first C++ code block of PAGE is the part of SOURCE between its two "// [grid]"
# lines, indented as there: a page that shows code shows the code that is built and tested.
#   cmake -DPAGE=docs/getting-started.md -DSOURCE=examples/getting-started/main.cpp -P CheckSnippet.cmake
file(READ ${SOURCE} source)
string(REGEX MATCH "// \\[grid\\]\n(.*)\n[ ]*// \\[grid\\]" found "${source}")
if(NOT found)
    message(FATAL_ERROR "${SOURCE} has no part between two \"// [grid]\" lines")
endif()
set(part "${CMAKE_MATCH_1}")
# The part is indented by four blanks in the program's main(); the page shows it unindented.
string(REPLACE "\n    " "\n" part "\n${part}")
string(SUBSTRING "${part}" 1 -1 part)

file(READ ${PAGE} page)
string(REGEX MATCH "```cpp\n([^`]*)\n```" found "${page}")
if(NOT found)
    message(FATAL_ERROR "${PAGE} has no ```cpp block")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL part)
    message(FATAL_ERROR "The code on ${PAGE} differs from ${SOURCE}; copy the part between the markers:\n${part}")
endif()
