"""The main pack, Zindrop: a course from the first roll to the last trick."""
from make_levels import Level

PACK = 'lvlpckzindrop'
C, N = 'txtpckclassic', 'txtpckneon'

LEVELS = [
Level('First Roll', about="""
First Roll: one walled corridor with a bend. Roll, stop at the bend, turn.""",
map="""
##########
#o.....f.#
########.#
  #x.....#
  ########
""", route="""
slam R
slam D
slam L
""", eng=['First Roll', 'Hold an arrow key to roll, let go to slow down.',
          'Stop at the bend before you turn.', 'Take the flag, then roll onto the exit.'],
deu=['Erste Runde', 'Halte eine Pfeiltaste zum Rollen, lass los zum Bremsen.',
     'Halte an der Biegung, bevor du abbiegst.', 'Nimm die Flagge, dann rolle zum Ausgang.']),

Level('Four Corners', about="""
Four Corners: a flag in each corner of a room; the exit in the middle of the
bottom wall opens only once all four are taken.""",
map="""
###########
#f.......f#
#.........#
#....o....#
#.........#
#f...x...f#
###########
""", route="""
slam U
slam L
slam D
slam R
slam U
move L 4
slam D
""", eng=['Four Corners', 'The exit stays shut while flags are left.',
          'Visit every corner of the room,', 'then come back to the exit.'],
deu=['Vier Ecken', 'Der Ausgang bleibt zu, solange Flaggen fehlen.',
     'Besuche jede Ecke des Raums', 'und komm dann zum Ausgang zurück.'],
music='sunny', ground=('sand', 'grass', 'stone'), wall='hedge'),

Level('Narrow Path', about="""
Narrow Path: a path one tile wide over the void, no walls. A ball whose centre
rolls off the edge teeters; rolling on straight over it falls.""",
map="""
o...
  ..
   ..f.
     ..
 x.f...
""", route="""
pace 36
move R 3
move D 2
move R 3
move D 2
pace 50
move L 5.25
""", eng=['Narrow Path', 'No walls here: roll off the edge and you fall.',
          'Stop well before every bend.', 'After a fall you start again where you last rested.'],
deu=['Schmaler Pfad', 'Keine Mauern: wer über den Rand rollt, fällt.',
     'Halte vor jeder Biegung rechtzeitig an.', 'Nach einem Sturz geht es dort weiter, wo du zuletzt standest.'],
pack=N, back='dusk', music='halls'),

Level('Bumpers', about="""
Bumpers: a ring corridor round a block of brick. Walls throw the ball back
with two thirds of its speed; rolling into one is a safe way to stop.""",
map="""
#########
#o.....f#
#.#####.#
#.#####.#
#.#####.#
#f..x...#
#########
""", route="""
slam R
slam D
slam L
move R 3
""", eng=['Bumpers', 'Walls bounce the ball back.',
          'Keep the key held and the ball settles', 'against the wall: an easy way to stop.'],
deu=['Banden', 'Mauern werfen den Ball zurück.',
     'Halte die Taste, und der Ball kommt', 'an der Mauer zur Ruhe: so hältst du leicht an.'],
wall='brick', ground=('stone', 'sand', 'grass')),

Level('Corners', about="""
Corners: a winding corridor; roll into the far wall of each stretch, then
turn.""",
map="""
#########
#o......#
#######.#
#f......#
#.#######
#......f#
#######.#
#x......#
#########
""", route="""
slam R
slam D
slam L
slam D
slam R
slam D
slam L
""", eng=['Corners', 'Roll to the end of each stretch,',
          'let the wall stop you, then turn.', 'Two flags wait at the far ends.'],
deu=['Kurven', 'Rolle bis ans Ende jeder Strecke,',
     'lass die Mauer dich bremsen und biege ab.', 'Zwei Flaggen warten an den Enden.'],
pack=N, back='sky', music='sunny', wall='metal', ground=('stone', 'grass', 'sand')),

Level('Conveyor', about="""
Conveyor: rows of arrow tiles push the ball along, faster than it can roll.
Step on, ride to the wall, step down, ride back.""",
map="""
############
#o>>>>>>>>.#
#########..#
#x<<<<<<<<f#
############
""", route="""
move R 1 norest
wait 90
rest
at 1280 128
move D 2
move L 1 norest
wait 120
""", eng=['Conveyor', 'Arrow tiles push the ball their way,',
          'faster than you can roll yourself.', 'Step on and enjoy the ride.'],
deu=['Förderband', 'Pfeilfelder schieben den Ball in ihre Richtung,',
     'schneller als du selbst rollen kannst.', 'Steig auf und genieße die Fahrt.'],
music='tilt', ground=('grass', 'sand', 'stone'), wall='hedge'),

Level('Springboard', about="""
Springboard: jump arrows throw the ball up; with a run-up it sails over the
gap behind them.""",
map="""
##############
#o..J  ..f...#
#########....#
#x...  J.....#
##############
""", route="""
hold R 100
rest
at 1536 128
slam D
hold L 100
""", eng=['Springboard', 'A jump arrow throws the ball into the air.',
          'Roll onto it with a good run-up', 'and you sail over the gap behind it.'],
deu=['Sprungbrett', 'Ein Sprungpfeil wirft den Ball in die Luft.',
     'Rolle mit gutem Anlauf darauf,', 'dann fliegst du über die Lücke dahinter.'],
pack=N, back='dusk', music='tilt', wall='brick'),

Level('Leap', about="""
Leap: holes across the corridor. Take a run and press Ctrl before the edge
to jump over them.""",
map="""
##############
#o.. ... ...fx#
##############
""", route="""
jump R 5 3
jump R 4 2
slam R
""", eng=['Leap', 'Press Ctrl to jump.',
          'Take a short run and jump before the edge:', 'the ball clears a hole at a good speed.'],
deu=['Satz', 'Drücke Strg zum Springen.',
     'Nimm kurz Anlauf und springe vor der Kante:', 'mit gutem Tempo fliegt der Ball über ein Loch.'],
music='halls', ground=('grass', 'sand', 'stone')),

Level('Sky Lift', about="""
Sky Lift, a bonus level: the ball rises by itself; jump arrows carry it over
the gaps and every flag lies on its way to the exit.""",
map="""
#####
#.x.#
#...#
#.f.#
#.v.#
#...#
#   #
#.J.#
#...#
#.f.#
#...#
#...#
#   #
#.J.#
#...#
#.f.#
#...#
#.o.#
#####
""", route="""
wait 200
""", eng=['Sky Lift', 'Bonus level: the ball rises by itself.',
          'Sit back and watch it fly.', 'Points for every flag!'],
deu=['Himmelslift', 'Bonuslevel: der Ball steigt von selbst.',
     'Lehn dich zurück und sieh ihm beim Fliegen zu.', 'Punkte für jede Flagge!'],
back='bonusbackground', music='bonus', wall='hedge'),

Level('Demolition', about="""
Demolition: a bomb to pick up and a cracked wall in the way. Set the bomb
off with Space next to the crack and the wall is gone.""",
map="""
###########
#o.b.c...f#
#....#....#
#....#..x.#
###########
""", route="""
move R 2
slam R
hold B 2 set off the bomb
wait 30
slam R
slam D
move L 1.25
""", eng=['Demolition', 'Pick up the bomb and roll next to the cracked wall.',
          'Press Space to set the bomb off:', 'the crack breaks and the way is open.'],
deu=['Abriss', 'Nimm die Bombe und rolle neben die rissige Mauer.',
     'Drücke die Leertaste, um sie zu zünden:', 'der Riss bricht und der Weg ist frei.'],
music='halls', back='dusk', ground=('stone', 'sand', 'grass')),

Level('Crumbling Floor', about="""
Crumbling Floor: the only way to the cracked wall runs over cracked floor.
The bomb that opens the wall breaks that floor too: set it off from beside
it, then jump the new hole.""",
map="""
#############
#o.b..Cc.f..#
#....b.#....#
#......#...x#
#############
""", route="""
move R 2
move D 1
slam R
hold B 2 set off the bomb from solid floor
wait 30
move L 2
slam U
jump R 4 2
slam R
slam D
""", eng=['Crumbling Floor', 'A bomb breaks cracked floor as well:',
          'it turns into a hole. Do not stand on it', 'when the bomb goes off, and jump the hole after.'],
deu=['Bröckelboden', 'Eine Bombe bricht auch rissigen Boden:',
     'er wird zum Loch. Steh nicht darauf,', 'wenn sie hochgeht, und spring danach darüber.'],
pack=N, back='sky', music='halls', ground=('stone', 'grass', 'sand'), wall='metal'),

Level('Trap Alley', about="""
Trap Alley: rows of traps with one gap each, the gaps on alternate ends.
Weave through without touching a trap.""",
map="""
################
#o.t..f..t....x#
#..t..t..t..t..#
#..t..t..t..t..#
#.....t.....t.f#
################
""", route="""
slam D
move R 3.5
slam U
move R 3
slam D
move R 3
slam U
move R 3
slam R
slam D
slam U
""", eng=['Trap Alley', 'Traps blow the ball up.',
          'Weave through the gaps between them', 'and stop where the way turns.'],
deu=['Fallengasse', 'Fallen sprengen den Ball in die Luft.',
     'Schlängle dich durch die Lücken', 'und halte an, wo der Weg abbiegt.'],
music='tilt', ground=('sand', 'grass', 'stone'), wall='hedge'),

Level('Ferry', about="""
Ferry: a platform shuttles over the void between two markers, each a tile
inside an island. Wait on its track and it picks the ball up; ride it across
and roll off while it is over the far island.""",
map="""
######     #######
#.....     .....f#
#of.2.     .8...x#
######     #######
""", route="""
pace 38
move R 3.5
until 655
pace 50
at 1344 256
slam R
slam U
slam D
""", eng=['Ferry', 'Platforms carry the ball over the void.',
          'Wait on its track and it picks you up;', 'roll off while it is over the far island.'],
deu=['Fähre', 'Plattformen tragen den Ball über die Leere.',
     'Warte auf ihrer Bahn, dann nimmt sie dich mit;', 'rolle ab, solange sie über der anderen Insel ist.'],
pack=N, back='dusk', music='sunny', ground=('grass', 'sand', 'stone')),

Level('Against the Clock', about="""
Against the Clock: a wide ring of corridor with flags all round. The clock
runs: every second left at the exit is worth points.""",
map="""
##############
#o....f.....f#
#.##########.#
#f#        #.#
#.##########f#
#x....f......#
##############
""", route="""
slam R
slam D
slam L
slam U
slam D
""", eng=['Against the Clock', 'Watch the clock in the corner:',
          'each second left at the exit scores,', 'each second over costs.'],
deu=['Gegen die Uhr', 'Behalte die Uhr im Blick:',
     'jede übrige Sekunde am Ausgang gibt Punkte,', 'jede zu viel kostet.'],
music='tilt', ground=('grass', 'sand', 'stone'), wall='brick'),

Level('Hop Scotch', about="""
Hop Scotch: a long run of single holes, one jump apart. Hold the jump key
at full speed and each hole jump of the series scores more.""",
map="""
##############################
#o... ... .... .... .... ..f..x#
##############################
""", route="""
hold R 20
hold R+J 125
hold R 25
hold L 14
rest
at 3456 128
slam R
""", eng=['Hop Scotch', 'Jump hole after hole without stopping:',
          'each jump of a series scores more.', 'Hold Ctrl and the ball jumps on and on.'],
deu=['Himmel und Hölle', 'Springe Loch um Loch, ohne anzuhalten:',
     'jeder Sprung einer Serie bringt mehr.', 'Halte Strg, und der Ball springt immer weiter.'],
music='tilt', back='dusk', ground=('sand', 'grass', 'stone')),

Level('Bomb Squad', about="""
Bomb Squad: bombs and cracked walls lead into a room strewn with traps.""",
map="""
#############
#o.b.c...#tf#
#....#.t.tt.#
#.b..#.t....#
#....c..#tt.#
#....#....tx#
#############
""", route="""
move R 2
slam R
hold B 2 set off the bomb
wait 30
slam R
slam D
slam R
slam U
slam D
""", eng=['Bomb Squad', 'Blast your way into the trap room,',
          'then pick a careful way past the traps.', 'A second bomb opens a second door.'],
deu=['Bombenkommando', 'Sprenge dir den Weg in den Fallenraum frei', 'und suche einen vorsichtigen Weg an den Fallen vorbei.',
     'Eine zweite Bombe öffnet eine zweite Tür.'],
back='dusk', music='halls', ground=('stone', 'sand', 'grass'), wall='brick'),

Level('Rocket Run', about="""
Rocket Run, a bonus level: two jump arrows fling the rising ball over wide
gaps; flags line the way to the exit.""",
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
#.f.#
#...#
#   #
#.J.#
#...#
#.f.#
#...#
#...#
#.o.#
#####
""", route="""
wait 220
""", eng=['Rocket Run', 'Bonus level: up and away!',
          'The jump arrows do the work.', 'Collect the flags on the way.'],
deu=['Raketenlauf', 'Bonuslevel: hoch hinaus!', 'Die Sprungpfeile erledigen die Arbeit.',
     'Sammle unterwegs die Flaggen.'],
pack=N, back='bonusbackground', music='bonus', wall='metal'),

Level('Island Hopping', about="""
Island Hopping: islands with one-tile gaps between them; no walls. Jump each
gap at a moderate speed and stop on the island after it.""",
map="""
.o. .f. .f..
          ..
          ..
x.. ... ....
x.. ... ....
""", route="""
pace 40
jump R 4 2
jump R 4 2
move R 1.5
move D 3.5
move L 1.5
jump L 4 2
pace 50
jump L 6 2
""", eng=['Island Hopping', 'Jump from island to island.',
          'Stop on each one before the next jump:', 'a fall brings you back to the last island.'],
deu=['Inselhüpfen', 'Springe von Insel zu Insel.', 'Halte auf jeder an, bevor du weiterspringst:',
     'ein Sturz bringt dich zur letzten Insel zurück.'],
back='sky', music='sunny', ground=('grass', 'sand', 'stone')),

Level('Elevator', about="""
Elevator: a platform runs up and down a shaft between two islands, turned
by markers a tile inside each. Wait on its track at the bottom; at the top,
roll off while it is over the landing. A trap guards the flag.""",
map="""
#######
#f...x#
#.t.3.#
#.....#




#### ##
#f...##
#o..5.#
#######
""", route="""
slam U
slam R
until 1045
hold U 80 roll off the platform up to the wall
rest
at 512 128
slam L
slam R
""", eng=['Elevator', 'The platform goes up and down.',
          'Wait on its track and it takes you along;', 'roll off at the top before it goes down again.'],
deu=['Aufzug', 'Die Plattform fährt auf und ab.', 'Warte auf ihrer Bahn, dann nimmt sie dich mit;',
     'rolle oben ab, bevor sie wieder hinunterfährt.'],
pack=N, back='sky', music='halls', ground=('stone', 'grass', 'sand')),

Level('Catapult', about="""
Catapult: jump arrows fling a fast ball over fields of traps; a jumping ball
does not set traps off.""",
map="""
######################
#o...Jttt....Jttt.f.x#
######################
""", route="""
hold R 200
""", eng=['Catapult', 'A ball in the air is safe from traps.',
          'Come at the jump arrows at full speed', 'and fly over the trap fields.'],
deu=['Katapult', 'Ein Ball in der Luft ist vor Fallen sicher.', 'Nimm die Sprungpfeile mit vollem Tempo',
     'und flieg über die Fallenfelder.'],
back='dusk', music='tilt', ground=('sand', 'grass', 'stone'), wall='hedge'),

Level('Quarry', about="""
Quarry: three cracked walls, two of them behind cracked floor. Blast each
from solid ground beside it, then jump the hole the blast leaves.""",
map="""
#####################
#o.b.c...Cc....Cc.fx#
#....#.b..#..b..#...#
#....############...#
#####################
""", route="""
move R 2
slam R
hold B 2 first wall
wait 30
move R 2.5
slam D
slam R
hold B 2 second wall and the floor before it
wait 30
move L 2
slam U
jump R 4.5 2
slam D
slam R
hold B 2 third wall and its floor
wait 30
move L 2
slam U
jump R 5 2
slam R
""", eng=['Quarry', 'Every blast breaks cracked floor too.',
          'Set bombs off from solid ground', 'and jump the holes they leave.'],
deu=['Steinbruch', 'Jede Explosion bricht auch rissigen Boden.', 'Zünde Bomben von festem Boden aus',
     'und überspringe die Löcher, die sie hinterlassen.'],
pack=N, back='dusk', music='halls', ground=('stone', 'sand', 'grass'), wall='brick'),

Level('Launch Ramp', about="""
Launch Ramp: arrow tiles speed the ball beyond its own top speed into a jump
arrow; it flies over a gap four tiles wide. Twice.""",
map="""
#################
#o.>>>J    .f....#
###############..#
#x..    J<<<.....#
#################
""".replace('###############..#', '##############...#').replace('#o.>>>J    .f....#', '#o.>>>J    ..f...#'), route="""
hold R 110
rest
at 1920 128
slam D
hold L 130
""", eng=['Launch Ramp', 'Arrows push the ball past its top speed.',
          'Fast enough, a jump arrow throws it', 'over a very wide gap.'],
deu=['Startrampe', 'Pfeile schieben den Ball über sein Höchsttempo.', 'Schnell genug wirft ihn ein Sprungpfeil',
     'über eine sehr breite Lücke.'],
back='sky', music='tilt', ground=('grass', 'sand', 'stone'), wall='metal'),

Level('Star Ladder', about="""
Star Ladder, a bonus level: a long climb with flags, jump arrows and gaps.""",
map="""
#####
#.x.#
#...#
#.f.#
#   #
#.J.#
#.f.#
#...#
#...#
#.f.#
#   #
#.J.#
#...#
#.f.#
#...#
#...#
#   #
#.J.#
#...#
#.f.#
#...#
#...#
#.o.#
#####
""", route="""
wait 240
""", eng=['Star Ladder', 'Bonus level: climb the ladder to the stars.',
          'No steering needed, just enjoy it.', 'Every flag counts.'],
deu=['Sternenleiter', 'Bonuslevel: steig die Leiter zu den Sternen hinauf.', 'Lenken ist nicht nötig, genieß es einfach.',
     'Jede Flagge zählt.'],
back='bonusbackground', music='bonus', wall='brick'),

Level('Minefield', about="""
Minefield: a field scattered with traps. The safe lines run from wall to
wall: roll along them and let the walls stop the ball.""",
map="""
###########
#o.......f#
#.t..t.t..#
#...t...t.#
#.t...tt..#
#f..t...t.#
#...#.t..x#
###########
""", route="""
slam D
slam R
slam U
slam R
slam D
""", eng=['Minefield', 'Traps everywhere, but room enough.',
          'Find the lines that run from wall to wall', 'and let the walls stop you.'],
deu=['Minenfeld', 'Überall Fallen, aber genug Platz.', 'Finde die Linien von Mauer zu Mauer',
     'und lass dich von den Mauern bremsen.'],
pack=N, back='dusk', music='tilt', ground=('sand', 'stone', 'grass'), wall='hedge'),

Level('Long Jump', about="""
Long Jump: gaps two tiles wide. Only a ball near its top speed clears them,
so take a long run before each.""",
map="""
##################
#o...  ....  ...f#
################.#
#x...  ....  ....#
##################
""", route="""
jump R 7 4 2
jump R 6 3 2
slam R
slam D
jump L 6 4 2
jump L 6 4 2
move L 3
""", eng=['Long Jump', 'Two tiles of nothing: you need speed.',
          'Take a long run and jump late.', 'Rest on each stretch before the next.'],
deu=['Weitsprung', 'Zwei Felder Leere: du brauchst Tempo.', 'Nimm lange Anlauf und springe spät.',
     'Ruhe auf jedem Stück vor dem nächsten aus.'],
back='sky', music='halls', ground=('sand', 'grass', 'stone'), wall='brick'),

Level('Serpent', about="""
Serpent: a winding corridor with a hole in every stretch. Jump each hole,
lean on the wall at each bend.""",
map="""
##############
#o... ..f....#
############.#
#..f. ....  .#
#.############
#.... ....f..#
############.#
#x...f... ...#
##############
""", route="""
jump R 6 4
slam R
slam D
jump L 5 1 2
jump L 6 2
slam L
slam D
jump R 6 4
slam R
slam D
jump L 6 3
slam L
""", eng=['Serpent', 'Every stretch has a hole to jump.',
          'Roll against the wall at each bend', 'to line up for the next stretch.'],
deu=['Schlange', 'Jede Strecke hat ein Loch zum Überspringen.', 'Rolle an jeder Biegung gegen die Mauer,',
     'um dich für die nächste Strecke auszurichten.'],
pack=N, back='sky', music='halls', ground=('stone', 'grass', 'sand'), wall='metal'),

Level('Gauntlet', about="""
Gauntlet: a bomb, a cracked wall, a jump arrow over a trap field, then down
and back along a lower corridor with a hole to jump with Ctrl.""",
map="""
###################
#o.b.c...Jttt.....#
#################.#
#x.f... ..........#
###################
""", route="""
move R 2
slam R
hold B 2 open the wall
wait 30
slam R
slam D
move L 5
jump L 6 5
slam L
""", eng=['Gauntlet', 'Traps, a bomb, a cracked wall,',
          'a jump arrow and more holes:', 'everything you learned at once.'],
deu=['Spießrutenlauf', 'Fallen, eine Bombe, eine rissige Mauer,', 'ein Sprungpfeil und weitere Löcher:',
     'alles Gelernte auf einmal.'],
back='dusk', music='tilt', ground=('grass', 'stone', 'sand'), wall='brick'),

Level('Victory Lap', about="""
Victory Lap, a bonus level: side arrows swing the rising ball from lane to
lane between the walls; a flag waits in every lane.""",
map="""
#####
#x..#
#^..#
#f..#
#...#
#...#
#..<#
#...#
#...#
#..f#
#...#
#...#
#...#
#.>.#
#...#
#.f.#
#...#
#.o.#
#####
""", route="""
wait 200
""", eng=['Victory Lap', 'Bonus level: a lap of honour.',
          'Fly, little ball, fly!', 'The flags are yours.'],
deu=['Ehrenrunde', 'Bonuslevel: eine Ehrenrunde.', 'Flieg, kleiner Ball, flieg!', 'Die Flaggen gehören dir.'],
pack=N, back='bonusbackground', music='bonus', wall='hedge'),

Level('Vault', about="""
Vault: the exit lies in a vault of cracked walls; the bombs lie scattered
over islands joined by one-tile gaps.""",
map="""
###################
#o.b. ..b. ..cc.fx#
###################
""", route="""
move R 2
jump R 4 2
move R 1
hold R 5
hold R+J 20 jump the second gap
hold R 80 and lean on the cracked wall
rest
at 1536 128
hold B 2 the outer wall
wait 30
slam R
hold B 2 the inner wall
wait 30
slam R
""", eng=['Vault', 'Gather the bombs over the gaps', 'and blast into the vault.',
          'One bomb for each cracked wall.'],
deu=['Tresor', 'Sammle die Bomben jenseits der Lücken', 'und sprenge dich in den Tresor.',
     'Eine Bombe für jede rissige Mauer.'],
back='dusk', music='halls', ground=('stone', 'sand', 'grass'), wall='metal'),

Level('Grand Tour', about="""
Grand Tour: the last level of the course: a ferry, a cracked wall, a jump
arrow over traps and the exit at the end of the corridor.""",
map="""
 ....       .....##########
 of2.       .8.b.c.Jtt.f.x#
 ....       .....##########
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
""", eng=['Grand Tour', 'Everything once more, for the last time.',
          'Take your time at every rest.', 'Well done for getting here!'],
deu=['Große Tour', 'Alles noch einmal, zum letzten Mal.', 'Lass dir an jeder Rast Zeit.',
     'Gut gemacht, dass du hier bist!'],
pack=N, back='sky', music='tilt', ground=('grass', 'sand', 'stone'), wall='brick'),
]
