# Helpers shared by every layer.

# orvanta_add_layer(NAME DIR [DEPS targets...]) makes the static library orvanta_NAME from
# every .cpp of DIR; the include root is src/, so headers are included as "layer/File.h".
function(orvanta_add_layer name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    if(sources)
        add_library(orvanta_${name} STATIC ${sources} ${headers})
        target_include_directories(orvanta_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(orvanta_${name} PUBLIC ${ARG_DEPS})
    else()
        # A layer that has only headers so far.
        add_library(orvanta_${name} INTERFACE)
        target_include_directories(orvanta_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(orvanta_${name} INTERFACE ${ARG_DEPS})
    endif()
endfunction()

# orvanta_add_tests(DIR LIBS...) makes one Qt Test executable per tst_*.cpp of DIR and
# registers it with CTest; tests find their data through ORVANTA_TEST_DATA.
function(orvanta_add_tests)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
    get_filename_component(group ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    foreach(file ${tests})
        get_filename_component(base ${file} NAME_WE)
        set(target ${group}_${base})
        add_executable(${target} ${file})
        target_link_libraries(${target} PRIVATE ${ARG_LIBS} Qt6::Test)
        target_compile_definitions(${target} PRIVATE
            ORVANTA_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
            ORVANTA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
        add_test(NAME ${target} COMMAND ${target})
        set_tests_properties(${target} PROPERTIES
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8"
            LABELS ${group})
    endforeach()
endfunction()
