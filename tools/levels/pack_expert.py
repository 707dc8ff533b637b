"""The expert pack: the main pack's ideas pushed further, for players who finished it."""
from make_levels import Level

PACK = 'lvlpckexpert'
C, N = 'txtpckclassic', 'txtpckneon'

LEVELS = [
Level('Needle Row', about="""
Needle Row: lanes one tile wide between rows of traps, turning every few tiles.""",
map="""
##############
#o.t.ft...t.x#
#..t.t.t.t.t.#
#..t.t.t.t.t.#
#..t.t.t.t.tf#
#....t...t...#
##############
""".replace('#o.t.ft...t.x#', '#o.t.f.t.f.tx#').replace('#..t.t.t.t.tf#', '#..t.t.t.t.t.#').replace('#....t...t...#', '#....t...t..f#'), route="""
move D 4
move R 3
move U 4
move R 2
move D 4
move R 2
move U 4
move R 2
move D 4
move R 2
move U 4
""", eng=['Needle Row', 'Five trap rows, five turns.', 'Every stop must be exact.', 'Take it slowly.'],
deu=['Nadelöhr', 'Fünf Fallenreihen, fünf Kehren.', 'Jeder Halt muss sitzen.', 'Nimm dir Zeit.'],
pack=N, back='dusk', music='tilt', ground=('stone', 'sand', 'grass'), wall='metal'),

Level('Long Series', about="""
Long Series: eight holes one jump apart. Keep the series going to the end
for a big score.""",
map="""
##############################################
#o... ... .... .... .... .... .... .... ..f..x#
##############################################
""", route="""
hold R 20
hold R+J 245
hold R 25
hold L 14
rest
at 5504 128
slam R
""", eng=['Long Series', 'Eight holes in a row.', 'Hold the jump key and never stop.',
          'The series pays more with every hole.'],
deu=['Lange Serie', 'Acht Löcher hintereinander.', 'Halte die Sprungtaste und hör nicht auf.',
     'Die Serie zahlt mit jedem Loch mehr.'],
pack=N, back='sky', music='tilt', ground=('grass', 'sand', 'stone'), wall='hedge'),

Level('Deep Quarry', about="""
Deep Quarry: four cracked walls in a row, three of them behind cracked floor.""",
map="""
#############################
#o.b.c...Cc....Cc....Cc.fx#
#....#.b..#..b..#..b..#...#
#....#....#.....#.....#...#
#############################
""".replace('#############################', '############################'), route="""
move R 2
move R 1
hold B 2 first wall
wait 30
move R 3
move D 1
move R 2
hold B 2
wait 30
move L 2
slam U
jump R 4 2
move R 2
move D 1
move R 2
hold B 2
wait 30
move L 2
slam U
jump R 4 2
move R 2
move D 1
move R 2
hold B 2
wait 30
move L 2
slam U
jump R 4 2
move R 2
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

]

# Designs whose routes do not finish yet; not part of the pack until they do.
DRAFTS = [
Level('Great Leap', about="""
Great Leap: gaps three tiles wide; only a full-speed run with a late jump
clears them.""",
map="""
######################
#o.....   .....   ..f#
###################..#
#x.....   .....   ...#
######################
""", route="""
jump R 10 6 3
jump R 8 5 3
slam R
slam D
jump L 8 4 3
jump L 9 5 3
move L 3
""", eng=['Great Leap', 'Three tiles of nothing.', 'Full speed, late jump.', 'Nothing else will do.'],
deu=['Großer Satz', 'Drei Felder Leere.', 'Volles Tempo, später Sprung.', 'Anders geht es nicht.'],
back='sky', music='halls', ground=('sand', 'grass', 'stone'), wall='brick'),

Level('Dense Field', about="""
Dense Field: an open room thick with traps; the safe way zigzags.""",
map="""
############
#o.t.t...tf#
#..t...t...#
#.t..t..t.t#
#...t.t...t#
#f.t....t.x#
############
""".replace('#...t.t...t#', '#...t.t.t.t#'), route="""
move D 4
move R 1
move U 1
move R 1
move U 3
move R 1
move D 1
move R 2
move U 1
move R 3
move U 0
move D 4
""", eng=['Dense Field', 'Barely a tile between the traps.', 'Short moves, full stops.', 'Look before you roll.'],
deu=['Dichtes Feld', 'Kaum ein Feld zwischen den Fallen.', 'Kurze Wege, ganze Halte.', 'Schau, bevor du rollst.'],
back='dusk', music='tilt', ground=('sand', 'stone', 'grass'), wall='hedge'),

Level('Archipelago', about="""
Archipelago: a long chain of one-tile islands and gaps, with no wall to
stop an overshoot.""",
map="""
.o. .. .. .f.
            .
            .
.x .. .. ...
""", route="""
jump R 3 2
jump R 3 2
jump R 3 2
move R 2
move D 3
jump L 3 2
jump L 3 2
jump L 3 2
jump L 2 1
""", eng=['Archipelago', 'Small islands, small gaps.', 'Jump short and stop at once.',
          'There is no wall to save you.'],
deu=['Archipel', 'Kleine Inseln, kleine Lücken.', 'Spring kurz und halte sofort an.',
     'Keine Mauer rettet dich.'],
back='sky', music='sunny', ground=('grass', 'sand', 'stone')),

Level('Lift Shaft', about="""
Lift Shaft: a long vertical ride on a platform; traps wait at the top
landing.""",
map="""
.......
.ftx.t.
..t7.t.







...1...
.f.o...
.......
""", route="""
move L 2
move R 2
until 338
move U 1 norest
until 694
move U 1 norest
wait 30
rest
at 384 128
move L 2
move R 2
""", eng=['Lift Shaft', 'A long ride up the shaft.', 'Get on at the right moment', 'and off before it turns.'],
deu=['Aufzugschacht', 'Eine lange Fahrt den Schacht hinauf.', 'Steig im richtigen Moment ein',
     'und vor der Umkehr aus.'],
pack=N, back='dusk', music='halls', ground=('stone', 'grass', 'sand')),

Level('Over the Edge', about="""
Over the Edge: a launch ramp over a gap five tiles wide, then back over
another.""",
map="""
####################
#o.>>>J     ...f....#
#################...#
#x...     J<<<......#
####################
""".replace('#################...#', '################...#').replace('####################\n#o', '#####################\n#o'), route="""
hold R 120
rest
at 2304 128
slam D
hold L 140
""", eng=['Over the Edge', 'Five tiles of void.', 'Only the arrows can give you', 'the speed to cross.'],
deu=['Über den Rand', 'Fünf Felder Leere.', 'Nur die Pfeile geben dir', 'das Tempo für die Überquerung.'],
back='sky', music='tilt', ground=('grass', 'sand', 'stone'), wall='metal'),

Level('Strongroom', about="""
Strongroom: the vault, but its bombs lie beyond two-tile gaps and its walls
are three deep.""",
map="""
#########################
#o.b..  ..b..  ..b.ccc.fx#
#########################
""".replace('#########################\n#o', '##########################\n#o'), route="""
move R 2
jump R 6 3 2
move R 1
jump R 6 3 2
hold B 2
wait 30
move R 1
hold B 2
wait 30
move R 1
hold B 2
wait 30
move R 4
""", eng=['Strongroom', 'Three bombs, three walls,', 'two wide gaps in between.', 'Do not waste a single bomb.'],
deu=['Tresorraum', 'Drei Bomben, drei Mauern,', 'dazwischen zwei breite Lücken.', 'Verschwende keine Bombe.'],
back='dusk', music='halls', ground=('stone', 'sand', 'grass'), wall='brick'),

Level('Final Exam', about="""
Final Exam: a ferry, a wall to blast, a catapult over traps and a long
series of holes, one after the other.""",
map="""
 ....       ....##############################
 fo.2       8.b.c.Jttt.... .... .... ....f..x#
 ....       ....##############################
""", route="""
move L 1
move R 1
until 320
move R 2 norest
until 695
move R 1 norest
wait 30
rest
at 1664 128
move R 1
move R 1
hold B 2 open the wall
wait 30
hold R 60
hold R+J 100
hold R 30
hold L 14
rest
at 5120 128
slam R
""", eng=['Final Exam', 'Everything you know, in one run.', 'Rest after every hard part.', 'Good luck!'],
deu=['Abschlussprüfung', 'Alles, was du kannst, in einem Lauf.', 'Ruhe nach jedem schweren Teil aus.',
     'Viel Glück!'],
pack=N, back='sky', music='tilt', ground=('grass', 'sand', 'stone'), wall='metal'),
Level('Viper', about="""
Viper: the serpent again, with gaps two tiles wide in every stretch.""",
map="""
################
#o....  ..f....#
##############.#
#..f.  .....  .#
#.##############
#.....  ...f...#
##############.#
#x..f..  ......#
################
""", route="""
jump R 8 5 2
slam R
slam D
jump L 6 1 2
jump L 7 2 2
slam L
slam D
jump R 8 5 2
slam R
slam D
jump L 7 6 2
slam L
""", eng=['Viper', 'Two-tile gaps in a winding corridor.', 'Line up at every bend,', 'then run and jump.'],
deu=['Viper', 'Zwei Felder breite Lücken im gewundenen Gang.', 'Richte dich an jeder Biegung aus,',
     'dann lauf an und spring.'],
pack=N, back='sky', music='halls', ground=('stone', 'grass', 'sand'), wall='metal'),

]
