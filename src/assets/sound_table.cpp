#include "assets/sound_table.h"

const char* const soundFileNames[soundCount] = {
    "bump.ogg",                            // 0: the ball hits a wall or lands hard
    "flag.ogg",                            // 1: a flag is picked up
    "bomb.ogg",                            // 2: a bomb is picked up
    "explode.ogg",                         // 3: a bomb goes off; a trap blows the ball up
    "win.ogg",                             // 4: the exit opens
    "lose.ogg",                            // 5: the ball is lost
    "thatwasclose.ogg",                    // 6 to 8: close call
    "watchout.ogg",                        // 7
    "whatareyoudoing.ogg",                 // 8
    "nicejump.ogg",                        // 9 to 15: hole jumps 1 to 7 of a series
    "yes.ogg",                             // 10 (10 to 15 also: exit reached)
    "groovy.ogg",                          // 11
    "awesome.ogg",                         // 12
    "amazing.ogg",                         // 13
    "ridiculous.ogg",                      // 14
    "yeah.ogg",                            // 15
    "goodluck.ogg",                        // 16 to 18: level start
    "rocknroll.ogg",                       // 17
    "jumpnroll.ogg",                       // 18
    "ohno.ogg",                            // 19 to 21: ball lost
    "whoops.ogg",                          // 20
    "whatareyoudoing.ogg",                 // 21: the same clip as 8
    "findtheexit.ogg",                     // 22 to 24: last flag picked up
    "lastflag.ogg",                        // 23
    "alldone.ogg",                         // 24
    "dontfallasleep.ogg",                  // 25 to 27: the ball stands idle
    "goon.ogg",                            // 26
    "whatareyouwaitingforeaster.ogg",      // 27
    "tavisk.ogg",                          // 28: start-up jingle
};
