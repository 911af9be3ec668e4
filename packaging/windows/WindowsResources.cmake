# qx_windows_resources(TARGET DESCRIPTION): gives a Windows program its version resource, the
# application manifest and the icon, an .ico made at build time from the SVG icon.
function(qx_windows_resources target description)
  set(svg ${PROJECT_SOURCE_DIR}/packaging/qx7r310-wizard.svg)
  set(ico ${CMAKE_CURRENT_BINARY_DIR}/qx7r310-wizard.ico)
  if(NOT TARGET qx_windows_icon_${target})
    find_program(QX_RSVG_CONVERT rsvg-convert)
    find_program(QX_ICOTOOL icotool)
    find_program(QX_MAGICK NAMES magick convert)
    set(pngs)
    if(QX_RSVG_CONVERT AND QX_ICOTOOL)
      # The sizes Explorer and the task bar ask for, each drawn from the SVG at its own size.
      foreach(size 16 24 32 48 64 256)
        set(png ${CMAKE_CURRENT_BINARY_DIR}/icon-${size}.png)
        add_custom_command(OUTPUT ${png}
          COMMAND ${QX_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${svg}
          DEPENDS ${svg} VERBATIM)
        list(APPEND pngs ${png})
      endforeach()
      add_custom_command(OUTPUT ${ico} COMMAND ${QX_ICOTOOL} -c -o ${ico} ${pngs}
        DEPENDS ${pngs} VERBATIM)
    elseif(QX_MAGICK)
      add_custom_command(OUTPUT ${ico}
        COMMAND ${QX_MAGICK} -background none ${svg} -define icon:auto-resize=256,64,48,32,24,16 ${ico}
        DEPENDS ${svg} VERBATIM)
    else()
      message(FATAL_ERROR "The Windows icon needs rsvg-convert and icotool, or ImageMagick")
    endif()
    add_custom_target(qx_windows_icon_${target} DEPENDS ${ico})
  endif()

  set(QX_RC_FILE_NAME ${target})
  set(QX_RC_DESCRIPTION "${description}")
  set(QX_RC_ICON ${ico})
  set(QX_RC_MANIFEST ${PROJECT_SOURCE_DIR}/packaging/windows/qx7r310-wizard.manifest)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/qx7r310-wizard.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${ico};${QX_RC_MANIFEST}")
  target_sources(${target} PRIVATE ${rc})
  add_dependencies(${target} qx_windows_icon_${target})
  if(MSVC)
    # The manifest comes with the resources; the linker must not add one of its own.
    target_link_options(${target} PRIVATE /MANIFEST:NO)
  endif()
endfunction()
