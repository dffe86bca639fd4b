# Renders the icon set with the program itself (cmake -P, run by the build):
#   -DNACREFORM=path of the built nacreform  -DOUTPUT=.../icons/hicolor
#   -DAPP_DESIGN=res/ApplicationIcon.nfd  -DAPP_ICON=name  -DDESIGN_ICON=name
#   -DSIZES=16,22,...  -DSVG_SIZE=512
# Each pixel size is its own render, so small icons are drawn for their grid
# rather than scaled down. The application icon is APP_DESIGN, the design the
# program's windows show too; the design file's icon is a pale square sheet
# carrying that button. The scalable icons wrap a SVG_SIZE render, as the
# renderer paints pixels.

string(REPLACE "," ";" SIZES "${SIZES}")

function(render out)
    execute_process(COMMAND "${NACREFORM}" --export "${out}" ${ARGN} RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "nacreform --export ${out} failed: ${status}")
    endif()
endfunction()

# size: icon side; out_app / out_design: the two PNGs to write.
function(render_pair size out_app out_design)
    # The same margin rule as CToolBarIcons::DrawApplicationIcon.
    math(EXPR margin "${size} / 16")
    math(EXPR side "${size} - 2 * ${margin}")
    render("${out_app}" --set ShapeSize=${side},${side} --set Margin=${margin} "${APP_DESIGN}")
    # The button on the sheet: a render of its own at the size it is shown.
    math(EXPR button "${side} * 5 / 8")
    set(picture "${out_design}.button.png")
    render("${picture}" --set ShapeSize=${button},${button} --set Margin=0 "${APP_DESIGN}")
    render("${out_design}" --set RenderID=32773 --set ShapeSize=${side},${side} --set Margin=${margin}
           --set Color1=14737632 --set Color2=16777215 --set EnableShapeShadow=0 --set String=
           --set ImagePath=${picture} --set ImageSize=62.5 --set ImagePos=0,0 --set ImageAlpha=255
           --set EnableImageShadow=0)
    file(REMOVE "${picture}")
endfunction()

foreach(size IN LISTS SIZES)
    set(folder "${OUTPUT}/${size}x${size}")
    file(MAKE_DIRECTORY "${folder}/apps" "${folder}/mimetypes")
    render_pair(${size} "${folder}/apps/${APP_ICON}.png" "${folder}/mimetypes/${DESIGN_ICON}.png")
endforeach()

function(write_svg png svg)
    execute_process(COMMAND base64 -w 0 "${png}" OUTPUT_VARIABLE data RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "base64 ${png} failed: ${status}")
    endif()
    file(WRITE "${svg}"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
        "width=\"${SVG_SIZE}\" height=\"${SVG_SIZE}\" viewBox=\"0 0 ${SVG_SIZE} ${SVG_SIZE}\">\n"
        "<image width=\"${SVG_SIZE}\" height=\"${SVG_SIZE}\" xlink:href=\"data:image/png;base64,${data}\"/>\n"
        "</svg>\n")
endfunction()

set(scalable "${OUTPUT}/scalable")
file(MAKE_DIRECTORY "${scalable}/apps" "${scalable}/mimetypes")
render_pair(${SVG_SIZE} "${scalable}/app.png" "${scalable}/design.png")
write_svg("${scalable}/app.png" "${scalable}/apps/${APP_ICON}.svg")
write_svg("${scalable}/design.png" "${scalable}/mimetypes/${DESIGN_ICON}.svg")
file(REMOVE "${scalable}/app.png" "${scalable}/design.png")
