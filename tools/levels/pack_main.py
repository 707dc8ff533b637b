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
move L 5
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
move U 2
move L 4
move D 4
move R 8
move U 4
move L 4
move D 4
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
   .
   ...f
      .
 x....f
""", route="""
move R 3
move D 2
move R 3
move D 2
move L 5
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
move R 3
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
#...#
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
move R 1
hold B 2 set off the bomb
wait 30
move R 5
move D 2
move L 1
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
#o.b..Cc....#
#....b.#..f.#
#......#...x#
#############
""", route="""
move R 2
move D 1
move R 3
hold B 2 set off the bomb from solid floor
wait 30
move L 2
slam U
jump R 4 2
move R 2
move D 2
move R 1
""", eng=['Crumbling Floor', 'A bomb breaks cracked floor as well:',
          'it turns into a hole. Do not stand on it', 'when the bomb goes off, and jump the hole after.'],
deu=['Bröckelboden', 'Eine Bombe bricht auch rissigen Boden:',
     'er wird zum Loch. Steh nicht darauf,', 'wenn sie hochgeht, und spring danach darüber.'],
pack=N, back='sky', music='halls', ground=('stone', 'grass', 'sand'), wall='metal'),

Level('Trap Alley', about="""
Trap Alley: rows of traps with one gap each, the gaps on alternate ends.
Weave through without touching a trap.""",
map="""
############
#o.t.f.t..x#
#..t.t.t.t.#
#..t.t.t.t.#
#....t...tf#
############
""", route="""
move D 3
move R 3
move U 3
move R 2
move D 3
move R 2
move U 3
move R 2
move D 3
move U 3
""", eng=['Trap Alley', 'Traps blow the ball up.',
          'Weave through the gaps between them', 'and stop where the way turns.'],
deu=['Fallengasse', 'Fallen sprengen den Ball in die Luft.',
     'Schlängle dich durch die Lücken', 'und halte an, wo der Weg abbiegt.'],
music='tilt', ground=('sand', 'grass', 'stone'), wall='hedge'),

Level('Ferry', about="""
Ferry: a platform shuttles over the void between two markers, each on the
last tile of an island. Roll onto it while it docks, ride it across, roll
off before it turns back.""",
map="""
 ....       ....
 .f..       .f..
 .o.2       8...
 ....       ..x.
""", route="""
move U 1
move D 1
move R 1
until 336
move R 1 norest
until 695
move R 1 norest
wait 30
rest
at 1664 256
move U 1
move D 2
move R 1
""", eng=['Ferry', 'Platforms carry the ball over the void.',
          'Roll onto it when it docks at your island,', 'and roll off at the far side before it turns.'],
deu=['Fähre', 'Plattformen tragen den Ball über die Leere.',
     'Rolle darauf, wenn sie an deiner Insel anlegt,', 'und steig drüben ab, bevor sie umkehrt.'],
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
]
