# timer_build_machine_program(NAME HOST_PROJECT dir SOURCES... LIBS...
#                             PROGRAM_VAR var TARGET_VAR var):
# a program that the build itself runs (a generator). A cross build cannot
# run what it compiles, so there the program is built again for the build
# machine: the small CMake project in HOST_PROJECT, configured with the host
# C++ compiler through ExternalProject, which must make an executable NAME.
# A native build makes it from SOURCES and LIBS. PROGRAM_VAR receives what to
# run, TARGET_VAR the target to depend on.
function(timer_build_machine_program name)
  cmake_parse_arguments(P "" "HOST_PROJECT;PROGRAM_VAR;TARGET_VAR" "SOURCES;LIBS" ${ARGN})
  if(CMAKE_CROSSCOMPILING)
    include(ExternalProject)
    find_program(TIMER_HOST_CXX NAMES c++ g++ REQUIRED DOC "compiler for programs the build runs")
    set(host_dir "${CMAKE_CURRENT_BINARY_DIR}/host")
    ExternalProject_Add(${name}_host
      SOURCE_DIR "${P_HOST_PROJECT}"
      BINARY_DIR "${host_dir}"
      CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_COMPILER=${TIMER_HOST_CXX}"
      INSTALL_COMMAND ""
      BUILD_ALWAYS ON  # its own make decides whether anything changed
      BUILD_BYPRODUCTS "${host_dir}/${name}")
    set(${P_PROGRAM_VAR} "${host_dir}/${name}" PARENT_SCOPE)
    set(${P_TARGET_VAR} ${name}_host PARENT_SCOPE)
  else()
    add_executable(${name} ${P_SOURCES})
    target_link_libraries(${name} PRIVATE ${P_LIBS})
    set(${P_PROGRAM_VAR} ${name} PARENT_SCOPE)
    set(${P_TARGET_VAR} ${name} PARENT_SCOPE)
  endif()
endfunction()
