# page_resources(PAYLOAD_DIR OUT): the packed files of the pages' resources
# that the payload step makes in PAYLOAD_DIR: NAME.form.z for each
# resources/forms/NAME.form, and Extensions.bmp.z (the file-type page's picture).
function(page_resources payload_dir out)
  file(GLOB forms CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/forms/*.form)
  set(files)
  foreach(form ${forms})
    get_filename_component(name ${form} NAME)
    list(APPEND files ${payload_dir}/${name}.z)
  endforeach()
  list(APPEND files ${payload_dir}/Extensions.bmp.z)
  set(${out} ${files} PARENT_SCOPE)
endfunction()
