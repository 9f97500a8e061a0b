# The project's version for everything that carries one (the library's version resource or note,
# the tools' --version, the packages' names): a generated header behind the target vyro_version.
configure_file(${CMAKE_CURRENT_LIST_DIR}/VyroVersion.h.in ${CMAKE_BINARY_DIR}/generated/VyroVersion.h @ONLY)
add_library(vyro_version INTERFACE)
target_include_directories(vyro_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
