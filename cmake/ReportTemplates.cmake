# The program's English report templates and the install settings that say they are
# installed, placed beside the program as an installation has them:
#   <program folder>\InstallSettings.ini
#   <program folder>\Report templates\EN\*.wkr and their content files
# Included by the top-level CMakeLists after the program target.
set(tm_templates_source ${CMAKE_SOURCE_DIR}/resources/templates)
file(GLOB_RECURSE tm_template_files CONFIGURE_DEPENDS ${tm_templates_source}/*)
set(tm_template_outputs)
foreach(file ${tm_template_files})
    file(RELATIVE_PATH rel ${tm_templates_source} ${file})
    set(out "${CMAKE_BINARY_DIR}/Report templates/${rel}")
    add_custom_command(OUTPUT "${out}" COMMAND ${CMAKE_COMMAND} -E copy "${file}" "${out}"
                       DEPENDS "${file}" VERBATIM)
    list(APPEND tm_template_outputs "${out}")
endforeach()
set(tm_install_settings_out ${CMAKE_BINARY_DIR}/InstallSettings.ini)
add_custom_command(OUTPUT ${tm_install_settings_out}
                   COMMAND ${CMAKE_COMMAND} -E copy
                           ${CMAKE_SOURCE_DIR}/resources/install/InstallSettings.ini
                           ${tm_install_settings_out}
                   DEPENDS ${CMAKE_SOURCE_DIR}/resources/install/InstallSettings.ini VERBATIM)
add_custom_target(tm_report_templates ALL DEPENDS ${tm_template_outputs}
                                                  ${tm_install_settings_out})
