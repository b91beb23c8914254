# The game's sound: the effects, synthesised with sox from the recipes in
# sounds/; the song, written once as the score music/song.abc, from which
# abc2midi and songtool make the four karaoke arrangements, the lyrics with
# their beat stamps and the sung recording; and the title tune.

set(ASSET_TOOLS ${CMAKE_CURRENT_LIST_DIR}/../tools/assets)
add_executable(songtool ${ASSET_TOOLS}/songtool.cpp ${ASSET_TOOLS}/smf.cpp)
target_include_directories(songtool PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
target_compile_options(songtool PRIVATE -Wall -Wextra)
file(MAKE_DIRECTORY ${ASSET_OUT}/sounds ${ASSET_OUT}/music)

# Sound effects.
set(EFFECTS ${CMAKE_CURRENT_LIST_DIR}/sounds/effects.sh)
foreach(name shot misfire burst remove bonus hiccup)
  add_custom_command(OUTPUT ${ASSET_OUT}/sounds/${name}.wav
    COMMAND ${EFFECTS} ${name} ${ASSET_OUT}/sounds/${name}.wav
    DEPENDS ${EFFECTS}
    COMMENT "Synthesising sounds/${name}.wav"
    VERBATIM)
  list(APPEND ASSET_OUTPUTS ${ASSET_OUT}/sounds/${name}.wav)
endforeach()

# The song: pitch 1 with melody straight from the score, the other three
# derived from it (melody notes left out, or moved to pitch 2).
set(SCORE ${CMAKE_CURRENT_LIST_DIR}/music/song.abc)
set(SONG ${ASSET_OUT}/music/song_p1.mid)
set(PITCH2 4)  # semitones from pitch 1 to pitch 2
add_custom_command(OUTPUT ${SONG}
  COMMAND abc2midi ${SCORE} -o ${SONG} -NCOM -silent
  DEPENDS ${SCORE}
  COMMENT "Making the song from its score"
  VERBATIM)
add_custom_command(OUTPUT ${ASSET_OUT}/music/song_p1_backing.mid
  COMMAND songtool variant ${SONG} ${ASSET_OUT}/music/song_p1_backing.mid -m
  DEPENDS ${SONG} songtool VERBATIM)
add_custom_command(OUTPUT ${ASSET_OUT}/music/song_p2.mid
  COMMAND songtool variant ${SONG} ${ASSET_OUT}/music/song_p2.mid -t ${PITCH2}
  DEPENDS ${SONG} songtool VERBATIM)
add_custom_command(OUTPUT ${ASSET_OUT}/music/song_p2_backing.mid
  COMMAND songtool variant ${SONG} ${ASSET_OUT}/music/song_p2_backing.mid -t ${PITCH2} -m
  DEPENDS ${SONG} songtool VERBATIM)

set(TITLE_SCORE ${CMAKE_CURRENT_LIST_DIR}/music/title.abc)
add_custom_command(OUTPUT ${ASSET_OUT}/music/title.mid
  COMMAND abc2midi ${TITLE_SCORE} -o ${ASSET_OUT}/music/title.mid -NCOM -silent
  DEPENDS ${TITLE_SCORE}
  COMMENT "Making the title tune from its score"
  VERBATIM)

list(APPEND ASSET_OUTPUTS ${SONG} ${ASSET_OUT}/music/song_p1_backing.mid
  ${ASSET_OUT}/music/song_p2.mid ${ASSET_OUT}/music/song_p2_backing.mid
  ${ASSET_OUT}/music/title.mid)

# The karaoke words, stamped from the melody's notes.
add_custom_command(OUTPUT ${GAME_DIR}/lyrics.txt
  COMMAND songtool lyrics ${SONG} ${GAME_DIR}/lyrics.txt
  DEPENDS ${SONG} songtool
  COMMENT "Stamping lyrics.txt from the song's melody"
  VERBATIM)

# The bartender's recording: espeak-ng sings the melody's syllables over the
# backing rendered by timidity (about half a minute of work).
set(MAKE_VOCALS ${ASSET_TOOLS}/make_vocals.sh)
set(TIMIDITY_CFG ${CMAKE_CURRENT_LIST_DIR}/music/timidity.cfg)
set(SPELLING ${CMAKE_CURRENT_LIST_DIR}/music/sung_spelling.txt)
add_custom_command(OUTPUT ${GAME_DIR}/vocals.mp3
  COMMAND ${MAKE_VOCALS} $<TARGET_FILE:songtool> ${SONG}
    ${ASSET_OUT}/music/song_p1_backing.mid ${TIMIDITY_CFG} ${SPELLING}
    ${GAME_DIR}/vocals.mp3 ${ASSET_OUT}/vocals
  DEPENDS ${SONG} ${ASSET_OUT}/music/song_p1_backing.mid ${MAKE_VOCALS}
    ${TIMIDITY_CFG} ${SPELLING} songtool
  COMMENT "Singing and recording vocals.mp3"
  VERBATIM)

list(APPEND GAME_FILES ${GAME_DIR}/lyrics.txt ${GAME_DIR}/vocals.mp3)
