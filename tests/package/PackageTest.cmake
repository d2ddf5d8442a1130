# Run by ctest with -DSTEP=build or -DSTEP=run; see CMakeLists.txt beside this file.
function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${ARGN}\nexited with ${status}\n${out}${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

if(STEP STREQUAL "build")
    # The dependency list is left out here: working it out takes dpkg-shlibdeps many seconds.
    # scripts/package.sh builds the package in full and has lintian check it.
    file(REMOVE_RECURSE ${SCRATCH})
    run(cpack -G DEB -B ${SCRATCH}/deb --config ${BUILD_DIR}/CPackConfig.cmake
        -D CPACK_DEBIAN_PACKAGE_SHLIBDEPS=OFF)
elseif(STEP STREQUAL "run")
    file(GLOB debs ${SCRATCH}/deb/runequill_*.deb)
    list(LENGTH debs count)
    if(NOT count EQUAL 1)
        message(FATAL_ERROR "expected one package in ${SCRATCH}/deb, found: ${debs}")
    endif()
    set(root ${SCRATCH}/root)
    file(REMOVE_RECURSE ${root})
    run(dpkg-deb -x ${debs} ${root})
    foreach(file usr/bin/runequill usr/share/applications/runequill.desktop
                 usr/share/icons/hicolor/scalable/apps/runequill.svg usr/share/mime/packages/runequill.xml
                 usr/share/man/man1/runequill.1.gz usr/share/man/man1/runequill-cli.1.gz
                 usr/share/doc/runequill/copyright)
        if(NOT EXISTS ${root}/${file})
            message(FATAL_ERROR "the package holds no ${file}")
        endif()
    endforeach()

    run(${root}/usr/bin/runequill-cli --version)
    if(NOT out MATCHES "^runequill-cli [0-9]+\\.[0-9]+\\.[0-9]+\n$")
        message(FATAL_ERROR "runequill-cli --version printed: ${out}")
    endif()
    run(${root}/usr/bin/runequill --version)
    if(NOT out MATCHES "^Runequill [0-9]+\\.[0-9]+\\.[0-9]+\n$")
        message(FATAL_ERROR "runequill --version printed: ${out}")
    endif()

    # The packaged program writes, byte for byte, the script the one built here writes.
    set(project ${FIXTURES}/worked/frmDC_guard.QDS)
    run(${root}/usr/bin/runequill-cli export ${project} ${SCRATCH}/packaged.scp)
    run(${BUILT_CLI} export ${project} ${SCRATCH}/built.scp)
    file(SIZE ${SCRATCH}/packaged.scp size)
    if(size LESS 100)
        message(FATAL_ERROR "the packaged export wrote ${size} bytes")
    endif()
    run(${CMAKE_COMMAND} -E compare_files ${SCRATCH}/packaged.scp ${SCRATCH}/built.scp)
else()
    message(FATAL_ERROR "STEP must be build or run")
endif()
