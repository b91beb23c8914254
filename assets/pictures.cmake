# Pictures, palettes and fonts of the data files.
#
# Every picture that data.lst or data2.lst names as pics/NAME.bmp is rendered
# from pics/NAME.svg (see pics/README.md for the conventions), except the item
# sheet, which is put together from pics/item0.svg ... item8.svg. Palettes
# pics/NAME.pcx come from palettes/NAME.pal, fonts fonts/NAME.pcx are rendered
# from a free font of Debian's packages by our own tool.

pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
set(ASSET_TOOLS ${CMAKE_SOURCE_DIR}/tools/assets)
add_executable(makepal ${ASSET_TOOLS}/makepal.cpp ${ASSET_TOOLS}/palette_file.cpp)
target_link_libraries(makepal PRIVATE PkgConfig::ALLEGRO)
add_executable(makefont ${ASSET_TOOLS}/makefont.cpp ${ASSET_TOOLS}/palette_file.cpp)
target_link_libraries(makefont PRIVATE PkgConfig::ALLEGRO PkgConfig::FREETYPE)

set(PICS_SRC ${CMAKE_CURRENT_SOURCE_DIR}/pics)
set(PALETTES_SRC ${CMAKE_CURRENT_SOURCE_DIR}/palettes)
file(MAKE_DIRECTORY ${ASSET_OUT}/pics ${ASSET_OUT}/fonts)

# Pictures copied whole (blit) or drawn over everything else; all others are
# sprites drawn with the mask colour.
set(OPAQUE_PICTURES field background caption_score caption_bonus digits lyrics_tile mp3 credits)

# The pictures, palettes and fonts the two lists ask for.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/data.lst PICTURE_LINES REGEX "(pics|fonts)/[a-z0-9_]+\\.(bmp|pcx)")
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/data2.lst PICTURE_LINES2 REGEX "(pics|fonts)/[a-z0-9_]+\\.(bmp|pcx)")
set(WANTED "")
foreach(line ${PICTURE_LINES} ${PICTURE_LINES2})
  string(REGEX MATCH "(pics|fonts)/[a-z0-9_]+\\.(bmp|pcx)" file "${line}")
  list(APPEND WANTED ${file})
endforeach()

set(RENDER ${ASSET_TOOLS}/render_picture.sh)
file(GLOB PALETTE_SOURCES CONFIGURE_DEPENDS ${PALETTES_SRC}/*.pal)
foreach(file ${WANTED})
  get_filename_component(name ${file} NAME_WE)
  set(out ${ASSET_OUT}/${file})
  if(file STREQUAL "pics/items.bmp")
    set(items "")
    foreach(k RANGE 8)
      list(APPEND items ${PICS_SRC}/item${k}.svg)
    endforeach()
    add_custom_command(OUTPUT ${out}
      COMMAND ${ASSET_TOOLS}/make_item_sheet.sh ${out} ${items}
      DEPENDS ${items} ${ASSET_TOOLS}/make_item_sheet.sh
      COMMENT "Item sheet from item0.svg ... item8.svg" VERBATIM)
  elseif(file MATCHES "^pics/.*\\.bmp$")
    if(name IN_LIST OPAQUE_PICTURES)
      set(mode opaque)
    else()
      set(mode sprite)
    endif()
    add_custom_command(OUTPUT ${out}
      COMMAND ${RENDER} ${mode} ${PICS_SRC}/${name}.svg ${out}
      DEPENDS ${PICS_SRC}/${name}.svg ${RENDER}
      COMMENT "Picture ${name} (${mode})" VERBATIM)
  elseif(file MATCHES "^pics/.*\\.pcx$")
    add_custom_command(OUTPUT ${out}
      COMMAND makepal ${PALETTES_SRC}/${name}.pal ${out}
      DEPENDS ${PALETTE_SOURCES} makepal
      COMMENT "Palette ${name}" VERBATIM)
  else()
    continue()  # fonts: below
  endif()
  list(APPEND ASSET_OUTPUTS ${out})
endforeach()

# Fonts: face, pixel size, style and first palette index (see makefont.cpp).
# The game font writes dark text on the light message boxes and help pages
# through indices 1..3 of the main palette; the lyrics font writes through
# indices 16..18, which the two lyrics palettes colour differently.
set(COMIC_NEUE /usr/share/fonts/opentype/comic-neue)
set(FONT_game_font ${COMIC_NEUE}/ComicNeue-Bold.otf 15 ramp 1 main_palette)
set(FONT_lyrics_font ${COMIC_NEUE}/ComicNeue-Bold.otf 26 outline2 16 lyrics_unsung)
foreach(file ${WANTED})
  if(NOT file MATCHES "^fonts/")
    continue()
  endif()
  get_filename_component(name ${file} NAME_WE)
  if(NOT DEFINED FONT_${name})
    message(FATAL_ERROR "pictures.cmake: no font description for ${file}")
  endif()
  list(GET FONT_${name} 0 face)
  list(GET FONT_${name} 1 size)
  list(GET FONT_${name} 2 style)
  list(GET FONT_${name} 3 first)
  list(GET FONT_${name} 4 palette)
  set(out ${ASSET_OUT}/${file})
  add_custom_command(OUTPUT ${out}
    COMMAND makefont ${face} ${size} ${style} ${first} ${PALETTES_SRC}/${palette}.pal ${out}
    DEPENDS ${face} ${PALETTE_SOURCES} makefont
    COMMENT "Font ${name}" VERBATIM)
  list(APPEND ASSET_OUTPUTS ${out})
endforeach()
