"""The expert pack: the main pack's ideas pushed further, for players who finished it.

Hard but fair: lanes between traps are lined up by walls, wide gaps have long
run-ups and long landings, ferries pick the ball up from their track."""
from make_levels import Level

PACK = 'lvlpckexpert'
C, N = 'txtpckclassic', 'txtpckneon'

LEVELS = [
Level('Needle Row', about="""
Needle Row: lanes one tile wide between columns of traps, the gaps on
alternate ends; a wall caps each trap column, where the ball can lean.""",
map="""
##############
#o.t.f.#.f.#x#
#..t.t.t.t.t.#
#..t.t.t.t.t.#
#..t.t.t.t.t.#
#....#...#..f#
##############
""", route="""
slam D
slam R
slam U
slam R
slam D
slam R
slam U
slam R
slam D
slam R
slam U
""", eng=['Needle Row', 'Five trap rows, five turns.', 'Lean on the walls at every turn.', 'Take it slowly.'],
deu=['Nadelöhr', 'Fünf Fallenreihen, fünf Kehren.', 'Lehn dich an jeder Kehre an die Mauer.', 'Nimm dir Zeit.'],
pack=N, back='dusk', music='tilt', ground=('stone', 'sand', 'grass'), wall='metal'),

Level('Long Series', about="""
Long Series: eight holes one jump apart. Keep the series going to the end
for a big score.""",
map="""
###############################################
#o.. .... .... .... ... .... .... .... ...f..x#
###############################################
""", route="""
hold R 20
hold R+J 245
hold R 90
""", eng=['Long Series', 'Eight holes in a row.', 'Hold the jump key and never stop.',
          'The series pays more with every hole.'],
deu=['Lange Serie', 'Acht Löcher hintereinander.', 'Halte die Sprungtaste und hör nicht auf.',
     'Die Serie zahlt mit jedem Loch mehr.'],
pack=N, back='sky', music='sunny', ground=('grass', 'sand', 'stone'), wall='hedge'),

Level('Deep Quarry', about="""
Deep Quarry: four cracked walls in a row, three of them behind cracked
floor. Blast each from solid ground below it, then jump the new hole.""",
map="""
###########################
#o.b.c...Cc....Cc....Cc.fx#
#....#.b..#..b..#..b..#...#
#....##################...#
###########################
""", route="""
move R 2
slam R
hold B 2 first wall
wait 30
move R 2.5
slam D
slam R
hold B 2 second wall
wait 30
move L 2
slam U
jump R 4.5 2
slam D
slam R
hold B 2 third wall
wait 30
move L 2
slam U
jump R 4.5 2
slam D
slam R
hold B 2 fourth wall
wait 30
move L 2
slam U
jump R 5 2
slam R
""", eng=['Deep Quarry', 'Four walls to break.', 'Each blast leaves a hole behind it.',
          'Bomb from solid ground, then jump.'],
deu=['Tiefer Steinbruch', 'Vier Mauern zu brechen.', 'Jede Explosion hinterlässt ein Loch.',
     'Zünde von festem Boden und springe dann.'],
pack=N, back='dusk', music='halls', ground=('stone', 'sand', 'grass'), wall='brick'),

Level('Trap Catapult', about="""
Trap Catapult: three jump arrows in a row, each throwing the ball over a
field of traps. Keep full speed all the way.""",
map="""
##############################
#o...Jttt....Jttt....Jttt.f.x#
##############################
""", route="""
hold R 260
""", eng=['Trap Catapult', 'Three launches, three trap fields.', 'Slow down and you land in traps.',
          'Keep rolling!'],
deu=['Fallenkatapult', 'Drei Starts, drei Fallenfelder.', 'Wirst du langsamer, landest du in Fallen.',
     'Roll weiter!'],
back='dusk', music='tilt', ground=('sand', 'grass', 'stone'), wall='brick'),

Level('Great Leap', about="""
Great Leap: gaps three tiles wide; only a full-speed run with a late jump
clears them. Long landings leave room to brake.""",
map="""
########################
#o.....   ......   ...f#
#####################..#
#x.....   ......   ....#
########################
""", route="""
jump R 11.5 6 3
jump R 9 3.5 3
slam R
slam D
jump L 9.5 4 3
jump L 10 3.5 3
slam L
""", eng=['Great Leap', 'Three tiles of nothing.', 'Full speed, late jump.', 'Nothing else will do.'],
deu=['Großer Satz', 'Drei Felder Leere.', 'Volles Tempo, später Sprung.', 'Anders geht es nicht.'],
back='sky', music='halls', ground=('sand', 'grass', 'stone'), wall='brick'),

Level('Dense Field', about="""
Dense Field: a room thick with traps. One safe line zigzags through it from
wall to wall; every stop is a wall to lean on.""",
map="""
#############
#t.t.t.t#x.f#
#.t#t.t.t.t.#
#.t.....#t..#
#.t.t.t.t.t.#
#.t.t.t.t.t.#
#.t.t.t.t.t.#
#f..#..f....#
#############
""".replace('#t.t.t.t#x.f#', '#o.t.t.t#x.f#'), route="""
slam D
slam R
slam U
slam R
slam D
slam R
slam U
slam L
""", eng=['Dense Field', 'Barely a tile between the traps.', 'Roll only from wall to wall.',
          'Look before you roll.'],
deu=['Dichtes Feld', 'Kaum ein Feld zwischen den Fallen.', 'Rolle nur von Mauer zu Mauer.',
     'Schau, bevor du rollst.'],
back='dusk', music='tilt', ground=('sand', 'stone', 'grass'), wall='hedge'),

Level('Archipelago', about="""
Archipelago: small islands with gaps between them. Each island has one low
wall to lean on; no other wall stops an overshoot.""",
map="""
     ###
 ... ...
 .o. .f.
 ... ...
         ###
    #... ...
    #... ...
    #... ...

         ...
         xxx
         ...
""", route="""
jump R 4 2
slam U
jump D 5 3
slam L
jump R 5 3
slam U
jump D 5 3
""", eng=['Archipelago', 'Small islands, one gap after the other.', 'Lean on each island\'s wall,',
          'then jump to the next.'],
deu=['Archipel', 'Kleine Inseln, eine Lücke nach der anderen.', 'Lehn dich an die Mauer jeder Insel',
     'und spring dann zur nächsten.'],
back='sky', music='sunny', ground=('grass', 'sand', 'stone')),

Level('Lift Shaft', about="""
Lift Shaft: a long ride up a shaft on a platform. Wait on its track at the
bottom; at the top, roll off while it is over the landing, past the traps.""",
map="""
#######
#f...x#
#t.t3.#
#.t...#





#### ##
#f...##
#o..5.#
#######
""", route="""
slam U
slam R
until 1170
hold U 80 roll off the platform up to the wall
rest
at 512 128
slam L
slam R
""", eng=['Lift Shaft', 'A long ride up the shaft.', 'Wait on the track to get on,',
          'and roll off at the top before it turns.'],
deu=['Aufzugschacht', 'Eine lange Fahrt den Schacht hinauf.', 'Warte auf der Bahn, um einzusteigen,',
     'und rolle oben ab, bevor sie umkehrt.'],
pack=N, back='dusk', music='halls', ground=('stone', 'grass', 'sand'), wall='metal'),

Level('Over the Edge', about="""
Over the Edge: a launch ramp over a gap five tiles wide, then back over
another.""",
map="""
#####################
#o.>>>J     ...f....#
################....#
#x...     J<<<......#
#####################
""", route="""
hold R 120
rest
at 2304 128
slam R
slam D
hold L 140
""", eng=['Over the Edge', 'Five tiles of void.', 'Only the arrows can give you', 'the speed to cross.'],
deu=['Über den Rand', 'Fünf Felder Leere.', 'Nur die Pfeile geben dir', 'das Tempo für die Überquerung.'],
back='sky', music='tilt', ground=('grass', 'sand', 'stone'), wall='metal'),

Level('Strongroom', about="""
Strongroom: the vault, but its bombs lie beyond two-tile gaps and its walls
are three deep.""",
map="""
##########################
#o.b..  ..b..  ..b.ccc.fx#
##########################
""", route="""
move R 2
jump R 6 3 2
move R 1
jump R 6 3 2
move R 1
slam R
hold B 2
wait 30
slam R
hold B 2
wait 30
slam R
hold B 2
wait 30
slam R
""", eng=['Strongroom', 'Three bombs, three walls,', 'two wide gaps in between.', 'Do not waste a single bomb.'],
deu=['Tresorraum', 'Drei Bomben, drei Mauern,', 'dazwischen zwei breite Lücken.', 'Verschwende keine Bombe.'],
back='dusk', music='halls', ground=('stone', 'sand', 'grass'), wall='brick'),

Level('Viper', about="""
Viper: the serpent again, with gaps two tiles wide in every stretch. Line up
on the wall at each bend, then run and jump.""",
map="""
####################
#o......  ....f....#
##################.#
#...f......  ......#
#.##################
#........  ....f...#
##################.#
#x...f..  .........#
####################
""", route="""
jump R 12 7 2
slam R
slam D
jump L 12 6 2
slam L
slam D
jump R 12 8 2
slam R
slam D
jump L 12 9 2
slam L
""", eng=['Viper', 'Two-tile gaps in a winding corridor.', 'Line up at every bend,', 'then run and jump.'],
deu=['Viper', 'Zwei Felder breite Lücken im gewundenen Gang.', 'Richte dich an jeder Biegung aus,',
     'dann lauf an und spring.'],
pack=N, back='sky', music='sunny', ground=('stone', 'grass', 'sand'), wall='metal'),

Level('Comet Tail', about="""
Comet Tail, a bonus level: the rising ball is flung over gap after gap;
flags wait above every landing.""",
map="""
#####
#.x.#
#.f.#
#...#
#...#
#   #
#   #
#.J.#
#.f.#
#...#
#...#
#   #
#.J.#
#.f.#
#...#
#...#
#   #
#   #
#.J.#
#.f.#
#...#
#...#
#.f.#
#...#
#.o.#
#####
""", route="""
wait 260
""", eng=['Comet Tail', 'Bonus level: ride the comet.', 'It flies on its own.',
          'Every flag is a gift.'],
deu=['Kometenschweif', 'Bonuslevel: reite auf dem Kometen.', 'Er fliegt von allein.',
     'Jede Flagge ist ein Geschenk.'],
back='bonusbackground', music='bonus', wall='brick'),

Level('Final Exam', about="""
Final Exam: a ferry, a wall to blast, a catapult over traps, then down to a
lower corridor with a wide gap before the exit.""",
map="""
 ....       .....##############
 of2.       .8.b.c.Jttt.......#
 ....       .....############.#
                 #x.f..  .....#
                 ##############
""", route="""
pace 30
move R 2.5
until 845
at 1510 128
pace 50
slam R
hold B 2 open the wall
wait 30
slam R
slam D
jump L 8 5 2
slam L
""", eng=['Final Exam', 'Everything you know, in one run.', 'Rest after every hard part.', 'Good luck!'],
deu=['Abschlussprüfung', 'Alles, was du kannst, in einem Lauf.', 'Ruhe nach jedem schweren Teil aus.',
     'Viel Glück!'],
pack=N, back='sky', music='tilt', ground=('grass', 'sand', 'stone'), wall='metal'),
]
