option(KAPTORIX_TESTS "Build the test executables" ON)
set(KAPTORIX_GTEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")

# One static library per source folder, from whatever sources the folder holds.
# A folder with no sources yet becomes an interface library, so dependants link alike.
# Resources (*.rc) stay out of it: the linker drops a static library's resources.
function(kaptorix_folder_library folder)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  set(target kx_${folder})
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
    target_compile_options(${target} PRIVATE ${KAPTORIX_WARNINGS})
    target_link_libraries(${target} PUBLIC ${ARG_LIBS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_LIBS})
  endif()
endfunction()

# One test executable per folder of tests/ (each Wine start costs about a second),
# registered with ctest under the folder's label and run through Wine. SHARDS N runs a long
# program as N shards side by side (scripts/shards), each in a display and prefix of its own.
function(kaptorix_folder_tests folder)
  cmake_parse_arguments(ARG "" "SHARDS" "LIBS;ARGS;DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.rc)
  if(NOT sources)
    return()
  endif()
  set(target ${folder}_tests)
  add_executable(${target} ${sources})
  target_compile_options(${target} PRIVATE ${KAPTORIX_WARNINGS})
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE kx_test_support ${ARG_LIBS} gtest gtest_main)
  if(ARG_DEPENDS)
    add_dependencies(${target} ${ARG_DEPENDS})
  endif()
  if(ARG_SHARDS)
    add_test(NAME ${folder} COMMAND ${CMAKE_SOURCE_DIR}/scripts/shards ${ARG_SHARDS} $<TARGET_FILE:${target}> ${ARG_ARGS}
             WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  else()
    add_test(NAME ${folder} COMMAND ${target} ${ARG_ARGS}
             WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  endif()
  set_tests_properties(${folder} PROPERTIES LABELS ${folder} TIMEOUT 600)
endfunction()

# The resources of a source folder (its *.rc, with the files they embed: *.dfm form descriptions)
# as an object library kx_<folder>_res, which every program that shows the folder's windows
# links, so that the resources reach the executable.
function(kaptorix_folder_resources folder)
  file(GLOB scripts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.rc)
  file(GLOB embedded CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.dfm)
  set(target kx_${folder}_res)
  if(scripts)
    add_library(${target} OBJECT ${scripts})
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/${folder})
    set_source_files_properties(${scripts} PROPERTIES OBJECT_DEPENDS "${embedded}")
  else()
    add_library(${target} INTERFACE)
  endif()
endfunction()
