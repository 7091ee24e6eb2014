# The single-instance lock, a library of its own so tests link it without Qt.
include_guard(GLOBAL)
add_library(netlark_single_instance STATIC ${CMAKE_CURRENT_LIST_DIR}/single_instance.cpp)
target_link_libraries(netlark_single_instance PUBLIC netlark_transport)
