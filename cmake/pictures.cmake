# The program's icons, cursor and balloon bitmap are drawn at build time by tools/make_pictures,
# so the repository holds their source rather than opaque binaries.
include_guard(GLOBAL)
include(ExternalProject)

set(QUILLMARTEN_PICTURE_FILES running.ico paused.ico stopped.ico about.ico balloon.bmp hand.cur)

# A cross build cannot run what it compiles, so the drawing tool is built as a separate project
# for the build machine. Sets TOOL_VAR to what add_custom_command runs.
function(_quillmarten_picture_tool TOOL_VAR)
    set(source_dir "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../tools/make_pictures")
    if(NOT CMAKE_CROSSCOMPILING)
        add_subdirectory("${source_dir}" "${CMAKE_BINARY_DIR}/make_pictures")
        set(${TOOL_VAR} make_pictures PARENT_SCOPE)
        return()
    endif()
    set(binary_dir "${CMAKE_BINARY_DIR}/make_pictures-host")
    set(host_suffix "")
    if(CMAKE_HOST_WIN32)
        set(host_suffix ".exe")
    endif()
    set(tool "${binary_dir}/make_pictures${host_suffix}")
    # No toolchain file is passed on, so the host's own compiler builds the tool. BUILD_ALWAYS
    # lets its incremental build notice edits to the drawings.
    ExternalProject_Add(make_pictures_host
        SOURCE_DIR "${source_dir}"
        BINARY_DIR "${binary_dir}"
        CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
        BUILD_ALWAYS ON
        BUILD_BYPRODUCTS "${tool}"
        INSTALL_COMMAND "")
    set(${TOOL_VAR} "${tool}" make_pictures_host PARENT_SCOPE)
endfunction()

# Makes the target `pictures`, which writes the files listed in QUILLMARTEN_PICTURE_FILES into
# ${CMAKE_BINARY_DIR}/pictures, and sets OUT_DIR_VAR in the caller to that directory. Targets
# whose resources use the files add_dependencies on `pictures`. Safe to call more than once.
function(quillmarten_add_pictures OUT_DIR_VAR)
    set(out_dir "${CMAKE_BINARY_DIR}/pictures")
    if(NOT TARGET pictures)
        _quillmarten_picture_tool(tool)
        list(GET tool 0 command)
        list(TRANSFORM QUILLMARTEN_PICTURE_FILES PREPEND "${out_dir}/" OUTPUT_VARIABLE outputs)
        add_custom_command(
            OUTPUT ${outputs}
            COMMAND "${command}" "${out_dir}"
            DEPENDS ${tool}
            COMMENT "Drawing the program's pictures"
            VERBATIM)
        add_custom_target(pictures DEPENDS ${outputs})
    endif()
    set(${OUT_DIR_VAR} "${out_dir}" PARENT_SCOPE)
endfunction()
