# Renders the icon set with the program itself (cmake -P, run by the build):
#   -DNACREFORM=path of the built nacreform  -DSVG_ICON=path of nacreform_svg_icon
#   -DOUTPUT=.../icons/hicolor  -DAPP_DESIGN=res/ApplicationIcon.nfd
#   -DAPP_ICON=name  -DDESIGN_ICON=name  -DSIZES=16,22,...  -DSVG_SIZE=512
# Each pixel size is its own render, so small icons are drawn for their grid
# rather than scaled down. The application icon is APP_DESIGN, the design the
# program's windows show too; the design file's icon is a pale square sheet
# carrying that button. The scalable icons are the same designs at SVG_SIZE
# as SVG vectors, the button on the sheet included.

string(REPLACE "," ";" SIZES "${SIZES}")

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed: ${status}")
    endif()
endfunction()

# The settings of the two icons at size: APP (the application icon), BUTTON
# (the button on the sheet, a render of its own at the size it is shown) and
# SHEET (the sheet, whose picture is the button).
macro(icon_settings size)
    # The same margin rule as CToolBarIcons::DrawApplicationIcon.
    math(EXPR margin "${size} / 16")
    math(EXPR side "${size} - 2 * ${margin}")
    math(EXPR button "${side} * 5 / 8")
    set(APP ShapeSize=${side},${side} Margin=${margin})
    set(BUTTON ShapeSize=${button},${button} Margin=0)
    set(SHEET RenderID=32773 ShapeSize=${side},${side} Margin=${margin} Color1=14737632 Color2=16777215
        EnableShapeShadow=0 String= ImageSize=62.5 ImagePos=0,0 ImageAlpha=255 EnableImageShadow=0)
endmacro()

# nacreform --export out with settings.
function(render_png out)
    set(options)
    foreach(setting IN LISTS ARGN)
        list(APPEND options --set ${setting})
    endforeach()
    run("${NACREFORM}" --export "${out}" ${options} "${APP_DESIGN}")
endfunction()

foreach(size IN LISTS SIZES)
    set(folder "${OUTPUT}/${size}x${size}")
    file(MAKE_DIRECTORY "${folder}/apps" "${folder}/mimetypes")
    icon_settings(${size})
    set(design "${folder}/mimetypes/${DESIGN_ICON}.png")
    render_png("${folder}/apps/${APP_ICON}.png" ${APP})
    render_png("${design}.button.png" ${BUTTON})
    render_png("${design}" ${SHEET} ImagePath=${design}.button.png)
    file(REMOVE "${design}.button.png")
endforeach()

set(scalable "${OUTPUT}/scalable")
file(MAKE_DIRECTORY "${scalable}/apps" "${scalable}/mimetypes")
icon_settings(${SVG_SIZE})
run("${SVG_ICON}" "${scalable}/apps/${APP_ICON}.svg" "${APP_DESIGN}" ${APP})
run("${SVG_ICON}" "${scalable}/mimetypes/${DESIGN_ICON}.svg" "${APP_DESIGN}" ${SHEET} -- "${APP_DESIGN}" ${BUTTON})
