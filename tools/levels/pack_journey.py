"""The journey pack: large boards with more than one way through.

Each level is a board larger than the screen with at least two routes to the
exit that differ in risk or length: a safe long way round and a risky short
cut, a slow ferry and a quick jump, points against time. Its `route` is the
way the solution takes and `alt` the other one (NNN.alt.solution); the
level's comment says which is which. Where it helps to read the map, a risky
way runs over sand (',') and a safe road over stone (';').

Routes lean on walls wherever they can (`go` finds such paths), so that a
fall costs only the last stretch and small timing errors do not add up. The
levels are written in the order they were made; ORDER at the end gives the
order of play."""
from make_levels import Level

PACK = 'lvlpckjourney'
C, N = 'txtpckclassic', 'txtpckneon'

# Two Roads: the flags of the garden, then the short cut through the gate or the road round the north,
# then the flags of the yard and the exit.
GARDEN = """
go 7 16
go 4 16
go 3 3
go 8 7
go 4 9
go 6 14
"""
SHORT_CUT = """
go 11 11
hold B 2 open the gate
wait 30
go 4 11
jump R 16 11 norest
slam R
"""
ROAD = """
go 2 18
go 1 1
slam R
go 27 17
"""
YARD = """
go 22 15
go 24 13
go 23 8
go 19 4
go 26 3
"""

LEVELS = []

LEVELS.append(Level('Two Roads', about="""
Two Roads: flags in a walled garden and an exit in the yard across a thick
wall. The safe road runs all the way round by the north, over a conveyor; the
short cut blasts the garden's cracked gate and jumps the hole in the passage
behind it. The solution takes the short cut, the other way the road.""",
map="""
##############################
#;;;;;;;;;;;>>>>>>;;;;;;;;;;;#
#;##########################;#
#;#f......t.#####.........x#;#
#;#.........#####..f.......#;#
#;#..t......#####..........#;#
#;#....####.#####...t......#;#
#;#....#f...#####.....###..#;#
#;#....#....#####.....#f...#;#
#;#.f..#..t.#####.....#....#;#
#;#.........#####..t..#....#;#
#;#.........c,, ,,.........#;#
#;#..t....#######..........#;#
#;#.......#######...t...b..#;#
#;#...b...#######..........#;#
#;#.......#######.....f....#;#
#;#.f..f..#######..........#;#
#;#....o..#######..........;;#
#;;.......#######..........###
#;........#######..........###
#;........#######..........###
##############################
""", route=GARDEN + SHORT_CUT + YARD, alt=GARDEN + ROAD + YARD, eng=['Two Roads', 'The road round the north is long but safe.',
          'The gate in the garden wall is cracked:', 'a bomb opens the short cut.'],
deu=['Zwei Wege', 'Der Weg über den Norden ist lang, aber sicher.',
     'Das Tor in der Gartenmauer hat Risse:', 'eine Bombe öffnet die Abkürzung.'],
music='sunny', ground=('grass', 'sand', 'stone'), wall='hedge'))

# Ferry Loop: the ferry's way and the stepping stones' way differ on every side; the islands are shared.
FERRY = """
go 1 19
go 4 17
board 20 4
ride 4 5
slam L
slam U
go 4 4
board 4 18
ride 19 4
slam U
slam R
go 20 4
board 20 4
ride 20 17
slam R
go 23 19
hold B 2 open the pocket
wait 30
slam D
"""
STONES = """
hold U 32 run up the west stones
hold U+J 90 and jump the gaps
hold U 30
slam U
hold R 32 along the north stones
hold R+J 90
hold R 30
slam R
hold D 32 down the east stones
hold D+J 90
hold D 30
slam D
hold B 2 open the pocket
wait 30
slam D
"""
LEVELS.append(Level('Ferry Loop', about="""
Ferry Loop: four islands at the corners of the void, a ferry loop of two
platforms between them, and rows of stepping stones along the edges. The
ferries are slow and safe; the stones are quick but every gap must be
jumped, and a jump series scores. The solution takes the ferries, the
other way the stones.""",
map="""
######             ######
#f.... ,,,, ,,,, ,,..b.f#
#.....             .....#
#..t..             ..t..#
#...2.             .7...#
#.....             .....#

 ,                     ,
 ,                     ,
 ,                     ,
 ,                     ,

 ,                     ,
 ,                     ,
 ,                     ,
 ,                     ,

#.....             .....#
#...5.             .4...#
#f.t..             .....#
#.....             ...#c#
#o....             ...#x#
######             ######
""", route=FERRY, alt=STONES,
eng=['Ferry Loop', 'Two ferries go round the islands.',
     'Wait on their track to be carried along,', 'or jump the stepping stones.'],
deu=['Fährenrunde', 'Zwei Fähren fahren um die Inseln.',
     'Warte auf ihrer Bahn, um mitzufahren,', 'oder springe über die Trittsteine.'],
pack=N, back='dusk', music='halls', ground=('grass', 'sand', 'stone'), wall='metal'))

# Crosswind: the flags of the south, then across the wind belt in its lane by the west wall, leaning
# against the wind, or round by the bridge over the void; then the flags of the north.
WIND_SOUTH = """
go 20 20
go 12 15
go 4 16
leap D 3
leap U 2
"""
WIND_LANE = """
go 1 14
hold U+L 130 across the belt, leaning into the wind, and into the corner
rest
at 128 128
slam U
slam L
go 3 1
go 13 6
go 16 1
go 25 6
go 11 1
"""
WIND_BRIDGE = """
go 17 17
go 23 15
hold B 2 open the bridge
wait 30
go 23 8
go 25 6
go 16 1
go 13 6
go 3 1
go 11 1
"""
LEVELS.append(Level('Crosswind', about="""
Crosswind: a belt of arrows blows east across the middle of the board, into
the void. The short cut crosses it in the lane by the west wall, leaning
into the wind past a row of traps; the long way goes east to the bridge
over the void, whose cracked gate needs the bomb. The solution crosses the
belt, the other way takes the bridge.""",
map="""
###########################
#..f.......x....f.....#...#
#.......#.................#
#...........####..........#
#...t.......####..tt......#
#...........####......#...#
#.......#.t..f........#..f#
#.........................#
#.........................#
#>>>>t>>>>>>>>>>>>>   #;#
#>>>>t>>>>>>>>>>>>>   #;#
#>>>>t>>>>>>>>>>>>>   #;#
#>>>>t>>>>>>>>>>>>>   #;#
#>>>>t>>>>>>>>>>>>>   #;#
#.............#....####c###
#..###......f.#.........#.#
#.............#.....t.o...#
#.............#..b........#
#.........t...#........t..#
#      #..................#
#......#............f.....#
#...f..#..................#
###########################
""", route=WIND_SOUTH + WIND_LANE, alt=WIND_SOUTH + WIND_BRIDGE,
eng=['Crosswind', 'The arrows blow you east, into the void.',
     'Cross them by the west wall, leaning into the wind,', 'or take the long way over the bridge.'],
deu=['Seitenwind', 'Die Pfeile treiben dich nach Osten, in die Leere.',
     'Quere sie an der Westmauer gegen den Wind', 'oder nimm den langen Weg über die Brücke.'],
music='tilt', ground=('grass', 'sand', 'stone'), wall='brick'))

LEVELS.append(Level('Updraft', about="""
Updraft, a bonus level: the rising ball waits under a cracked ceiling on the
track of a lift. The bomb picked up on the way blasts the ceiling open, a
quick way straight up; without it the lift carries the ball along to a
shaft with bombs to collect, the long way round. Arrows under the next
ceiling push both ways into one shaft, and a second lift waits near the top.
The solution rides the lift, the other way blasts through.""",
map="""
#############
##########xx#
##########..#
##########..#
##########..#
##########..#
##########..#
##########..#
##########..#
#6.........4#
#.###########
#.###########
#f###########
# ###########
#J###########
#f###########
#.###########
#.###########
#.###########
#<<<<<<<<<<<#
#,,,######..#
#,,,######b.#
#,,,######  #
#,,,######JJ#
#,,,######b.#
#,,,######..#
#,,,######..#
#ccc######..#
#.2........8#
##.##########
#...#########
#.f.#########
#...#########
#.b.#########
#...#########
#.f.#########
#...#########
#...#########
#...#########
#...#########
#.o.#########
#...#########
#############
""", route="""
wait 2000
""", alt="""
wait 150
hold B 2 blast the ceiling while leaning on it
wait 2000
""", eng=['Updraft', 'Bonus level: up and away!',
         'Ride the lifts, or set the bomb off', 'under the cracked ceiling for a short cut.'],
deu=['Aufwind', 'Bonuslevel: hoch hinaus!',
     'Fahr mit den Liften oder zünde die Bombe', 'unter der rissigen Decke für eine Abkürzung.'],
back='bonusbackground', music='bonus', wall='hedge'))

# Quarry Road: the bomb that opens the vault also breaks the foot of the cracked bridge, so the north's
# flags come first over the bridge; a bomb set off too early leaves only the ferry on the east side.
QUARRY_SOUTH = """
go 20 18
go 3 19
go 6 17
"""
QUARRY_BRIDGE = """
go 12 17
slam U
go 5 2
go 18 3
go 25 1
go 12 2
slam D
to 12 15
hold B 2 open the vault, and the bridge's foot falls
wait 30
go 9 15
"""
QUARRY_FERRY = """
go 12 15
hold B 2 open the vault first: the bridge's foot falls
wait 30
go 23 14
board 23 6
ride 23 6
slam U
go 25 1
go 18 3
go 5 2
go 23 6
board 23 6
ride 23 14
slam D
go 9 15
"""
LEVELS.append(Level('Quarry Road', about="""
Quarry Road: a chasm splits the quarry; a bridge of cracked floor crosses it
and a ferry shuttles over it on the east side. The exit lies in a vault
whose cracked wall stands beside the bridge's foot: the blast that opens it
breaks the bridge too, so the north's flags come first. The solution
crosses the bridge and blasts last, the other way blasts first and takes
the ferry.""",
map="""
###########################
#..........#.............f#
#....f.....#.........t....#
#..........#......f.......#
#.......t.................#
#....####......t........#.#
#......................7#.#
#.......................#.#
            C
            C
            C
            C
            C
#.......####C...........#.#
#.......#..cC......t...1#.#
#...t...#x.c............#.#
#.......#..c..............#
#..#..b.####..........#...#
#..#............t...f.#...#
#..f..................#...#
#...............o.....#...#
#.........................#
###########################
""", route=QUARRY_SOUTH + QUARRY_BRIDGE, alt=QUARRY_SOUTH + QUARRY_FERRY,
eng=['Quarry Road', 'The blast that opens the vault', 'breaks the cracked bridge as well.',
     'Fetch the northern flags first.'],
deu=['Steinbruchweg', 'Die Sprengung, die den Tresor öffnet,', 'bricht auch die rissige Brücke.',
     'Hol zuerst die Flaggen im Norden.'],
pack=N, back='sky', music='halls', ground=('stone', 'sand', 'grass'), wall='brick'))

# Sundown: the flags of the west and the south field, then east through the catapult (jump arrows over
# trap fields, three rows wide) or along the winding lanes of the north; the time limit leaves the lanes
# little to spare.
SUNDOWN_WEST = """
go 2 2
go 3 20
go 11 17
go 12 21
"""
SUNDOWN_CATAPULT = """
go 1 11
hold R 150 the catapult: full speed over both trap fields, into the cracked wall
rest
at 2688 1408
go 24 2
go 22 19
go 21 11
hold B 2 open the pocket
wait 30
go 25 11
"""
SUNDOWN_LANES = """
go 16 1
go 24 2
go 22 19
go 21 11
hold B 2 open the pocket
wait 30
go 25 11
"""
LEVELS.append(Level('Sundown', about="""
Sundown: the exit waits in a cracked pocket on the east side. The catapult
in the middle flings a fast ball over two trap fields straight to it; the
winding lanes of the north are safe, but the time limit leaves them little
to spare. The solution takes the catapult, the other way the lanes.""",
map="""
############################
#......#...#...#...........#
#.f..#.#.#.#.#.#.#......f..#
#....#.#.#.#.#.#.#.........#
#....#.#.#.#.#.#.#.........#
#....#.#.#.#.#.#.#...t.....#
#....#.#.#.#.#.#.#.........#
#....#.#.#.#.#.#.#.........#
#....#...#...#...#....######
#....##############...#....#
#.o....Jttt..Jttt.....c....#
#......Jttt..Jttt.....c..x.#
#......Jttt..Jttt.....c....#
#....##############...#....#
#....#............#...######
#....#............#........#
#.t..#..t.....t...#....t...#
#....#.....f......#........#
#.................#........#
#..........t......#...f....#
#..f....t.......t.#........#
#...........b.....#........#
############################
""", route=SUNDOWN_WEST + SUNDOWN_CATAPULT, alt=SUNDOWN_WEST + SUNDOWN_LANES,
eng=['Sundown', 'The sun is setting: hurry!', 'The catapult is quick, the lanes are slow.',
     'Keep full speed over the traps.'],
deu=['Sonnenuntergang', 'Die Sonne geht unter: beeil dich!', 'Das Katapult ist schnell, die Gassen sind langsam.',
     'Halte über den Fallen volles Tempo.'],
pack=N, back='dusk', music='tilt', ground=('sand', 'grass', 'stone'), wall='hedge'))

# Skipping Lane: the meadow's flags, then the north-west terrace's; to the north-east terrace either along
# the hopscotch lane over the void (four holes one jump apart: a series that scores) or on the conveyor
# to the cracked gate, which the meadow's bomb opens.
HOP_MEADOW = """
go 2 12
go 10 20
go 13 18
go 21 19
go 14 12
go 2 4
"""
HOP_LANE = """
go 1 1
hold R 32 along the lane
hold R+J 120 and jump hole after hole
hold R 30
slam R
go 25 3
go 24 6
"""
HOP_GATE = """
go 6 10
hold R 110 on to the conveyor and east to the wall
rest
at 3328 1280
slam R
hold B 2 open the gate
wait 30
go 25 3
go 24 6
"""
LEVELS.append(Level('Skipping Lane', about="""
Skipping Lane: a meadow of flags, a terrace in each northern corner and the
exit on the eastern one. A lane over the void joins the terraces, with a
hole every fifth tile: jumped in one series, it scores. The safe way rides
the conveyor along the meadow to the eastern terrace's cracked gate. The
solution jumps along the lane, the other way takes the gate.""",
map="""
############################
#...., ,,,, ,,,, ,,,, ,....#
#....#                #....#
#....#                #..f.#
#.f..#                #....#
#....#                #..t.#
#....#                #.x..#
#..t.#                #....#
#....#                #....#
#....##               ##ccc#
#......>>>>>>>>>>>>>>......#
#..........................#
#.f.....t.....f............#
#..................t.......#
#........####..............#
#......................t...#
#...t......t...............#
#..............####........#
#.....#......b.............#
#..o..#..............f.....#
#.....#...f................#
#.....#....................#
############################
""", route=HOP_MEADOW + HOP_LANE, alt=HOP_MEADOW + HOP_GATE,
eng=['Skipping Lane', 'Hop along the lane over the void', 'and every jump scores more,',
     'or ride the conveyor to the gate.'],
deu=['Hüpfpfad', 'Hüpf über den Steg über der Leere,', 'und jeder Sprung bringt mehr,',
     'oder fahr auf dem Förderband zum Tor.'],
music='sunny', ground=('grass', 'sand', 'stone'), wall='hedge'))

# The Locks: the west bank's flags and bomb, then over the canal: across the weir, whose arrows push
# downstream into the void, leaning upstream all the way; or on the lock ferry. Then the east bank's
# flags and the vault, from wherever the crossing lands.
LOCKS_WEST = """
go 2 2
go 6 14
go 8 19
"""
LOCKS_WEIR = """
go 10 10
hold R+U 80 over the weir, leaning upstream
hold R 40 and on to the wall
rest
at 2432 1536
slam D
go 21 19
go 25 2
go 21 9
hold B 2 open the vault
wait 30
go 24 9
"""
LOCKS_FERRY = """
go 10 8
slam U
board 10 5
ride 17 5
slam R
"""
LOCKS_EAST = """
go 25 2
go 21 19
go 21 9
hold B 2 open the vault
wait 30
go 24 9
"""
LEVELS.append(Level('The Locks', about="""
The Locks: a canal through the void splits the board. A weir crosses it,
its arrows pushing downstream into the void: the short way leans
upstream all the way across. A lock ferry shuttles over the canal further
north, the safe way that waits for its boat. The solution crosses the
weir, the other way takes the ferry.""",
map="""
###########      ###########
#..........      ..........#
#.f........      ........f.#
#..........      ..........#
#.....#...#      ...t......#
#.....#...6      4.........#
#.....#....      ..........#
#.....#....      .....######
#...t.#....      .....c....#
#.........#      ...#.c.x..#
#..........vvvvvv...#.c....#
#.####..t..vvvvvv...#.######
#..........vvvvvv...#......#
#..........vvvvvv...#......#
#.....f....      ...#...t..#
#..........      ...#......#
#..t.......      ....####..#
#..........      ..........#
#..........      ........t.#
#.o.....b..      ....f.....#
#..........      ..........#
#..........      ..........#
###########      ###########
""", route=LOCKS_WEST + LOCKS_WEIR, alt=LOCKS_WEST + LOCKS_FERRY + LOCKS_EAST,
eng=['The Locks', 'The weir pushes you downstream.', 'Lean against it all the way across,',
     'or wait for the ferry.'],
deu=['Die Schleusen', 'Das Wehr treibt dich flussabwärts.', 'Stemm dich auf dem ganzen Weg dagegen',
     'oder warte auf die Fähre.'],
pack=N, back='sky', music='sunny', ground=('stone', 'grass', 'sand'), wall='brick'))

# Market Square: round the arcade for its flags (over the ditch in its south side), then into the
# square to the exit stall: through the cracked gate in the north-west and along the lanes between the
# traps, or all the way back round to the south-east door and the walled aisle.
MARKET_ARCADE = """
go 7 21
leap R 7
go 26 12
go 25 5
go 26 1
go 24 2
go 12 2
go 1 1
go 1 12
"""
MARKET_LANES = """
go 2 5
hold B 2 open the gate
wait 30
to 9 5
to 9 9
to 11 9
to 11 11
to 13 11
"""
MARKET_AISLE = """
go 25 17
go 13 11
"""
LEVELS.append(Level('Market Square', about="""
Market Square: an arcade round a square crowded with traps, and the exit in
a stall in the middle of the square. A cracked gate in the north-west leads
along narrow lanes between the traps, straight to it; the walled aisle from
the south-east door is safe, but the far side of the arcade. The solution
takes the lanes, the other way the aisle.""",
map="""
############################
#f....>>>>>>>>>>>>>>>.....f#
#...........b...........b..#
#..######################..#
#..c,.tt.tt.tt.tt.tt.tt.#..#
#..c,,,,,,#tt.tt.tt.tt.t#b.#
#..c,t.tt,tt.tt.tt.tt.tt#..#
#..#t.tt.,t.tt.tt.tt.tt.#..#
#..#.tt.t,.tt.tt.tt.tt.t#..#
#..#tt.tt,,,#tt.tt.tt.tt#t.#
#..#t.tt.#t,ttttt.tt.tt.#..#
#..#.tt.tt.,,xtt.tt.tt.t#..#
#f.#tt.tt.t#t;###t.tt.tt#.f#
#..#t.tt.tt.#;;;#.tt.tt.#..#
#..#.tt.tt.t###;#tt.tt.t#..#
#.t#tt.tt.tt.t#;#t.tt.tt#..#
#..#t.tt.tt.tt#;########;..#
#..#.tt.tt.tt.#;;;;;;;;;;..#
#..#tt.tt.tt.t############.#
#..######################..#
#.....t....... ....t.......#
#o.....f...... ...........f#
############################
""", route=MARKET_ARCADE + MARKET_LANES, alt=MARKET_ARCADE + MARKET_AISLE,
eng=['Market Square', 'Mind the stalls: the square is full of traps.', 'The lanes are short but narrow,',
     'the aisle is safe but far.'],
deu=['Marktplatz', 'Achtung, Stände: der Platz ist voller Fallen.', 'Die Gassen sind kurz, aber eng,',
     'der Gang ist sicher, aber weit.'],
music='tilt', ground=('stone', 'sand', 'grass'), wall='brick'))

# Harbour: the quays' flags and the bomb, then out to the lighthouse pier: off the slipway, whose arrows
# throw the ball over four tiles of water, or on the ferry loop that runs round the basin.
HARBOUR_QUAYS = """
go 1 21
go 8 20
go 13 21
go 20 19
go 26 21
go 23 19
go 1 16
go 3 9
"""
HARBOUR_SLIPWAY = """
go 1 4
hold R 110 down the slipway, over the water and on along the pier to the lighthouse
rest
at 2688 512
slam R
hold B 2 open the lighthouse
wait 30
go 24 4
"""
HARBOUR_FERRY = """
go 13 17
board 18 17
ride 13 6
slam U
go 14 4
go 21 4
hold B 2 open the lighthouse
wait 30
go 24 4
"""
LEVELS.append(Level('Harbour', about="""
Harbour: quays round a basin of water, a lighthouse at the end of the pier
across it, and a ferry loop of one boat running round the basin. The
slipway on the west quay throws a ball over the water onto the pier, a
quick and daring way; the ferry is slow and safe. The solution takes the
slipway, the other way the ferry.""",
map="""
########
#......#
#......#   ################
##.....#   ....t......c...#
#..>>>J    ...f.......c.x.#
#......#   ...........c...#
#......#   2......3...#...#
#......#    ###### ########
#......#
#..f...#
#......#         .b.
#...####         b.b
#......#         ...
#......#
#...t..#
#......#
#f.....#                   #
#..........5......8........#
#........................t.#
#.o......t..........b..f...#
#.......f.....t............#
#f...........f............f#
############################
""", route=HARBOUR_QUAYS + HARBOUR_SLIPWAY, alt=HARBOUR_QUAYS + HARBOUR_FERRY,
eng=['Harbour', 'The slipway throws you over the water:', 'take a good run at it.',
     'The ferry is slower, but dry.'],
deu=['Hafen', 'Die Slipanlage wirft dich über das Wasser:', 'nimm ordentlich Anlauf.',
     'Die Fähre ist langsamer, aber trocken.'],
pack=N, back='sky', music='sunny', ground=('stone', 'grass', 'sand'), wall='metal'))

LEVELS.append(Level('Chimney', about="""
Chimney, a bonus level: arrows under the ceilings sweep the rising ball from
side to side up four floors, the long way up. The bomb picked up at the
start blasts the cracked ceiling over the first floor open into the
chimney, whose floor gaps want one jump after another, Ctrl held: a
quick way up, and a series that scores. A lift waits at the top. The
solution rides the arrows, the other way climbs the chimney.""",
map="""
###############
############xx#
############..#
############..#
#2...........8#
#.#############
#f#############
#.#############
#.#############
#f#############
#.#############
#.#############
#<<.......<<<<#
#,###########.#
#<<<#########.#
#   #########.#
#,,,#########.#
#,,,#########.#
#,,,#########.#
#,,,#########.#
#   #>>>>>>>>>#
#,,,#.#########
#,,,#.#########
#,,,#.#########
#,,,#.#########
#   #.#########
#,,,#.#########
#,,,#.#########
#,,,#<<<<<<<<<#
#,,,#########.#
#,,,#########.#
#,,,#########.#
#,,,#########.#
#,,,#########.#
#,,,#########.#
#ccc#########.#
#>>>>>>>>>>>>>#
#.#############
#.#############
#b#############
#.#############
#f#############
#.#############
#o#############
#.#############
###############
""", route="""
wait 2400
""", alt="""
wait 60
hold B 2 blast the ceiling as the arrows begin to sweep the ball away
wait 34
hold J 150 and jump the gaps of the chimney, one after another
wait 2400
""", eng=['Chimney', 'Bonus level: up the chimney!',
         'Blast the cracked ceiling, then hold Ctrl', 'to jump gap after gap.'],
deu=['Kamin', 'Bonuslevel: den Kamin hinauf!',
     'Spreng die rissige Decke und halte dann Strg,', 'um Lücke um Lücke zu überspringen.'],
pack=N, back='bonusbackground', music='bonus', wall='metal'))

# Switchback: down the mountain, terrace by terrace, each with a flag: along the switchback road, which
# slides down a scree of arrows and needs the summit's bomb for a rockfall, or leaping the cliffs on the
# goat path, from ledge to guarded landing.
SWITCHBACK_GOAT = """
go 5 1
go 12 1
go 24 1
go 8 1
leap D 4
go 11 6
leap D 4
go 14 11
leap D 4
go 17 16
leap D 4
go 1 22
go 23 22
"""
SWITCHBACK_ROAD = """
go 5 1
go 12 1
go 24 1
go 8 7
go 1 8
hold D 60 down the scree to the wall below it
rest
at 128 1664
slam D
go 11 12
go 23 13
hold B 2 clear the rockfall
wait 30
go 14 17
go 1 22
go 17 21
go 23 22
"""
LEVELS.append(Level('Switchback', about="""
Switchback: down a mountain of four terraces to the valley, a flag on each.
The road winds from end to end of every terrace, down a scree of arrows and
past a rockfall that the summit's bomb clears. The goat path leaps straight
down the cliffs, from a ledge over a gap to a landing with a guard rail.
The solution takes the goat path, the other way the road.""",
map="""
##########################
#....f......b...........f#
#.o............t.........#
#........................#
#       ,             #..#
#         ###         #..#
#........................#
#.....t.f................#
#........................#
#vv#    #  ,             #
#vv#         ###         #
#........................#
#..........f......t......#
#.......................##
###        #  ,       #c##
#               ###   #.##
#........................#
#........t....f..........#
#........................#
#..#          #  ,       #
#..#                     #
#................f.......#
#f............t........x.#
##########################
""", route=SWITCHBACK_GOAT, alt=SWITCHBACK_ROAD,
eng=['Switchback', 'The road winds down the mountain.', 'The goat path leaps from ledge to ledge:',
     'take a run at every gap.'],
deu=['Serpentinen', 'Die Straße windet sich den Berg hinab.', 'Der Ziegenpfad springt von Sims zu Sims:',
     'nimm vor jeder Lücke Anlauf.'],
pack=N, back='dusk', music='halls', ground=('grass', 'sand', 'stone'), wall='brick'))

# Lighthouse: the outer ring's bombs and flags (over the ditch in its west side), then inwards to the
# tower, a flag in every ring: round the spiral from door to door, or straight in along the east radius,
# blasting one cracked wall after another with the outer ring's bombs.
LIGHT_OUTER = """
leap D 9
go 7 26
go 14 27
go 27 27
go 26 20
go 27 1
go 20 2
go 14 1
go 27 14
"""
LIGHT_RADIUS = """
go 26 14
hold B 2 the outer wall
wait 30
slam L
hold B 2 the second wall
wait 30
slam L
hold B 2 the third wall
wait 30
slam L
hold B 2 the tower's wall
wait 30
slam L
"""
LIGHT_SPIRAL = """
go 24 14
go 21 14
go 18 14
go 14 14
"""
LEVELS.append(Level('Lighthouse', about="""
Lighthouse: the exit at the top of a tower in the middle of four walled
rings, with a flag in each. The spiral winds in through a door at the
south of one ring and the north of the next; along the east radius every
ring's wall is cracked, and the outer ring holds a bomb for each. The
solution blasts straight in, the other way walks the spiral.""",
map="""
#############################
#o............f............b#
#...................f.......#
#..#######################..#
#..#.....................#..#
#b.#.....................#..#
#..#..######...########..#..#
#..#..#.......t.......#..#..#
#..#..#...............#..#..#
#..#..#..###########..#.t#..#
#  #..#..#.........#..#..#..#
#..#..#..#.........#..#..#..#
#..#..#..#..#...#..#..#..#..#
#..#..#..#..#...#..#..#..##.#
#..#..#..#.t#.x.c.fc.fc.fc.f#
#..#..#..#..#...#..#..#..#..#
#..#..#..#..#####..#t.#..#..#
#..#..#..#.........#..#..#..#
#..#t.#..#.........#..#..#..#
#..#..#..####...####..#..#..#
#b.#..#...............#..#f.#
#..#..#...............#..#..#
#..#..#################..#..#
#..#.....................#..#
#..#.....................#..#
#..##########...##########..#
#......f....................#
#f............f............b#
#############################
""", route=LIGHT_OUTER + LIGHT_RADIUS, alt=LIGHT_OUTER + LIGHT_SPIRAL,
eng=['Lighthouse', 'Four rings round the tower.', 'Walk the spiral, or gather the bombs',
     'and blast your way straight in.'],
deu=['Leuchtturm', 'Vier Ringe um den Turm.', 'Geh die Spirale entlang oder sammle die Bomben',
     'und spreng dir den geraden Weg hinein.'],
music='halls', ground=('stone', 'sand', 'grass'), wall='brick'))

# Canyon: the west rim's flags, north of a ditch and south of it, then over the canyon: off the ski jump
# where the rims reach out to each other, or back over the ditch to the bridge at the far north end; then
# the east rim's flags and the cracked vault in its south-east corner.
CANYON_WEST = """
go 8 3
go 4 8
go 9 10
leap D 2
go 5 19
go 8 21
"""
CANYON_JUMP = """
go 1 15
hold R 150 down the lane and off the ski jump, over the canyon to the wall beyond
rest
at 2560 1920
slam R
"""
CANYON_BRIDGE = """
go 1 21
leap U 9
go 10 2
slam R
"""
CANYON_EAST = """
go 24 12
go 25 15
go 18 20
go 21 20
hold B 2 open the vault
wait 30
go 25 21
"""
LEVELS.append(Level('Canyon', about="""
Canyon: a canyon splits the board from north to south, with the exit in
a vault on the east rim. Where the rims reach out to each other, a ski
jump throws a fast ball across; the bridge lies at the far north end,
back over the ditch, a long way round. The solution takes the ski jump, the other way the
bridge.""",
map="""
############################
#..........      ..........#
#.o........;;;;;;..........#
#.......f..      ..........#
#..........      .......t..#
#..t.......      ..t.......#
#..........      ..........#
#..........      ......t...#
#...f......      ..........#
#..........      .t........#
#........f.      ..........#
#..........      ..........#
#                .......f..#
#............  ......#.....#
#............  ......#.....#
#,,,,,,,,,,,J  ......#...f.#
#............  ......#.....#
#............  ......#.....#
#......t...      .....######
#....b.....      .....c....#
#..........      .f...c....#
#.......f..      .....c..x.#
#..........      .....#....#
############################
""", route=CANYON_WEST + CANYON_JUMP + CANYON_EAST, alt=CANYON_WEST + CANYON_BRIDGE + CANYON_EAST,
eng=['Canyon', 'The ski jump throws you across:', 'hit it at full speed.', 'The bridge is far to the north.'],
deu=['Schlucht', 'Die Sprungschanze wirft dich hinüber:', 'nimm sie mit vollem Tempo.',
     'Die Brücke liegt weit im Norden.'],
back='sky', music='tilt', ground=('sand', 'grass', 'stone'), wall='hedge'))

# The Long Way Round: the west plateau's flags, then to the east plateau: straight over the causeway of
# cracked floor, or the long way round by the bottom of the valley, jumping three holes in one series and
# sweeping through the bonus corner's bombs. The time limit leaves the long way little to spare. The
# cracked wall of the exit's vault stands beside the causeway's end: the blast that opens it breaks the
# causeway.
LONG_WEST = """
go 5 2
go 2 8
go 3 12
go 6 7
"""
LONG_CAUSEWAY = """
go 1 4
slam R
go 25 2
go 25 8
go 21 12
"""
LONG_ROUND = """
go 1 19
hold R 51 along the bottom of the valley
hold R+J 90 jumping the holes in one series
hold R 60 and into the bonus corner
rest
at 3328 2432
go 26 21
go 24 21
go 25 18
go 21 12
go 25 8
go 25 2
"""
LONG_VAULT = """
go 21 4
hold B 2 open the vault; the causeway's end falls
wait 30
slam U
"""
LEVELS.append(Level('The Long Way Round', about="""
The Long Way Round: two plateaus, the exit in a vault on the eastern one.
A causeway of cracked floor runs straight across the void between them;
the long way round goes down the valley, over three holes that score in
one series and through a corner full of bombs, but the time limit leaves
it little to spare. The vault's cracked wall stands by the causeway's
end. The solution takes the causeway, the other way the valley.""",
map="""
#######             ########
#......             #x.#...#
#.o..f.             #..#.f.#
##.....              c##...#
#......CCCCCCCCCCCCCC......#
#.t....              ......#
#......              ......#
#.....f              ......#
#.f....              ...tf.#
#......##############..^^..#
#......##############..^^..#
#......##############..^^..#
#..f...##############f.^^..#
#......##############..^^..#
#......##############..^^..#
#...t..##############..^^..#
#......##############......#
#........ .... .t.. .......#
#........ .... .... .....b.#
#........ .... .... ......b#
#........ .... .... .....b.#
#........ ..t. .... ....b.b#
############################
""", route=LONG_WEST + LONG_CAUSEWAY + LONG_VAULT, alt=LONG_WEST + LONG_ROUND + LONG_VAULT,
eng=['The Long Way Round', 'The causeway is short but narrow.', 'The valley is long, but full of bombs.',
     'Mind the clock!'],
deu=['Der lange Umweg', 'Der Damm ist kurz, aber schmal.', 'Das Tal ist lang, aber voller Bomben.',
     'Achte auf die Uhr!'],
pack=N, back='dusk', music='tilt', ground=('grass', 'sand', 'stone'), wall='hedge'))

LEVELS.append(Level('Skyward', about="""
Skyward, a bonus level: a lift carries the rising ball along under a
ceiling that is cracked in its middle. Blasted with the bomb from the
start, it lets the ball straight up a short shaft; left whole, the lift
carries it on to the long shaft with bombs to collect. Both ways jump a
gap on a jump arrow, meet under a row of arrows and take the second lift
to the top. The solution rides the first lift to its end, the other way
blasts through its ceiling.""",
map="""
###############
############xx#
############..#
############..#
############..#
############..#
############..#
#6...........4#
#.#############
#.#############
#f#############
#.#############
#<#############
#<<<<<<<<<<<<##
#####,,,###..##
#####,,,###..##
#####,,,###..##
#####,,,###..##
#####,,,###bb##
#####,,,###..##
#####,,,###..##
#####,,,###  ##
#####,,,###JJ##
#####   ###..##
#####JJJ###..##
#####,,,###bb##
#####,,,###..##
#####,,,###..##
#####,,,###..##
#####ccc###..##
#2..........8##
#.#############
#b#############
#.#############
#f#############
#.#############
#o#############
#.#############
###############
###############
""", route="""
wait 3000
""", alt="""
wait 660
hold B 2 blast the cracked ceiling while the lift carries the ball under it
wait 3000
""", eng=['Skyward', 'Bonus level: ride the lifts to the sky.',
         'Set the bomb off under the cracked ceiling', 'and take the short way up.'],
deu=['Himmelwärts', 'Bonuslevel: fahr mit den Liften in den Himmel.',
     'Zünde die Bombe unter der rissigen Decke', 'und nimm den kurzen Weg nach oben.'],
back='bonusbackground', music='bonus', wall='brick'))

# Night Train: the west station's flags and bomb, then east across the valley: on the night train, three
# carriages on a railway loop that runs through a cutting in the rock, or along the jump lane through the
# trap fields, jumping each one. Then the east station's flags and the cracked shed with the exit.
TRAIN_WEST = """
go 5 5
go 2 19
go 4 14
"""
TRAIN_RIDE = """
go 4 10
board 5 10
ride 21 10
slam U
"""
TRAIN_LANE = """
go 1 16
hold R 42 down the jump lane
hold R+J 90 jumping each trap field
hold R 60 on to the east wall
rest
at 3328 2048
slam R
"""
TRAIN_EAST = """
go 23 3
go 25 18
go 24 18
hold B 2 open the shed
wait 30
go 24 20
"""
LEVELS.append(Level('Night Train', about="""
Night Train: two stations with a rock valley between them. A train of three
carriages runs round a railway loop through a cutting in the rock, slow
and safe; the jump lane crosses three trap fields, which only a ball in the
air passes: hold Ctrl and keep full speed. The solution rides the train,
the other way jumps along the lane.""",
map="""
############################
#......##############......#
#.o....##############......#
#......##############..f...#
#......##############......#
#....f.##############......#
#......##############......#
#..t...##############.t....#
#......##############......#
#...#..##############......#
#..2.666................3..#
#......##############......#
#..1....................4..#
#......##############......#
#...b..##############......#
#......##############..t...#
#......tt,,,tt,,,tt,,......#
##.....##############......#
#....t.##############....f.#
#.f....##############.##cc##
#......##############.#.xx.#
############################
""", route=TRAIN_WEST + TRAIN_RIDE + TRAIN_EAST, alt=TRAIN_WEST + TRAIN_LANE + TRAIN_EAST,
eng=['Night Train', 'All aboard! The train is slow but safe.', 'In the jump lane only the air is safe:',
     'hold Ctrl at full speed.'],
deu=['Nachtzug', 'Alles einsteigen! Der Zug ist langsam, aber sicher.', 'In der Sprunggasse ist nur die Luft sicher:',
     'halte bei vollem Tempo Strg.'],
pack=N, back='dusk', music='halls', ground=('stone', 'grass', 'sand'), wall='metal'))

# Journey's End: the west bank's flags and bomb; over the canal across the weir (leaning upstream) or on
# the ferry; the middle island's flags and bomb; on to the east over the stepping stones (two holes in
# one series) or round by the long passage in the south; the east's flags, and the vault.
END_WEST = """
go 2 2
go 6 12
go 4 21
"""
END_WEIR = """
go 6 10
slam U
hold R+U 80 over the weir, leaning upstream
hold R 40 on to the wall beyond
rest
at 2432 1024
slam R
"""
END_FERRY = """
go 8 18
slam U
board 8 17
ride 16 17
slam D
"""
END_MIDDLE = """
go 19 6
go 17 13
go 18 20
"""
END_STONES = """
go 15 6
slam U
hold R 32 along the stepping stones
hold R+J 60 jumping both holes in one series
hold R 40
slam R
"""
END_PASSAGE = """
go 25 20
go 29 20
"""
END_EAST = """
go 30 2
go 27 15
go 29 20
go 29 9
hold B 2 open the vault
wait 30
go 29 6
"""
LEVELS.append(Level("Journey's End", about="""
Journey's End: the last crossings of the journey, each twice over. A canal
with a weir to lean across or a ferry to wait for; a gap with stepping
stones to jump in one series or a long walled passage round the south;
and the exit in a vault at the far east end. The solution takes the weir
and the stones, the other way the ferry and the passage.""",
map="""
#########      #####      ######
#........     ###...      .....#
#.f......      ..... ,,,, ....f#
#........      .....      .....#
#........      .....#     ..####
#.....#########.....#     ..#..#
#........vvvvvv....f#     ..#x.#
#....t...vvvvvv.....#     ..#..#
#........vvvvvv.....#     ..#cc#
#........vvvvvv.....#     .....#
#........vvvvvv...t.#     t....#
#........      .....#     .....#
#.....f..      .....#     .....#
#........      ..b..      ....t#
#........      .....      .....#
#..t.....      .....      .b...#
#.......#      .#...      .....#
#.......6      .4...      .....#
#........      .....      .....#
#........      .....######.....#
#.o......      ...f..........f.#
#...b....      .......t........#
#........      ................#
#########      #################
""", route=END_WEST + END_WEIR + END_MIDDLE + END_STONES + END_EAST,
alt=END_WEST + END_FERRY + END_MIDDLE + END_PASSAGE + END_EAST,
eng=["Journey's End", 'One last time, everything at once.', 'Lean across the weir, hop the stones,',
     'or take the long ways round.'],
deu=['Reiseende', 'Ein letztes Mal alles auf einmal.', 'Stemm dich übers Wehr, hüpf über die Steine',
     'oder nimm die langen Umwege.'],
back='sky', music='sunny', ground=('grass', 'sand', 'stone'), wall='hedge'))

# Orchard: five alleys between four rows of trees, a flag in each; the exit in the top alley. The
# alleys wind from end to end through gaps at alternate ends, over a ditch in the top one; three
# cracked trees stand in the middle of every row, a bomb below each: blasting up the middle scores, but
# the flags make it the longer way.
ORCHARD_MIDDLE = """
go 8 18
go 25 20
go 13 20
slam U
hold B 2 the first row of trees
wait 30
slam U
go 25 13
go 13 13
hold B 2 the second row
wait 30
slam U
go 1 9
go 13 9
hold B 2 the third row
wait 30
slam U
go 1 7
go 25 5
go 13 5
hold B 2 the last row
wait 30
slam U
go 6 2
go 13 1
"""
ORCHARD_ALLEYS = """
go 8 18
go 25 20
go 25 13
go 1 9
go 1 7
go 25 5
go 22 2
leap L 4
go 6 2
go 13 1
"""
LEVELS.append(Level('Orchard', about="""
Orchard: five alleys between four rows of trees, a flag in each, the exit
in the top alley. The alleys wind from end to end through gaps at
alternate ends, along a conveyor and over a ditch; in the middle of every
row stand three cracked trees, with a bomb below them: blasting straight
up the middle scores for every tree and bomb, but its detours to the
flags take longer. The solution walks the alleys, the other way blasts up
the middle.""",
map="""
###########################
#............x.... .......#
#.....f........... .......#
#................. ..t....#
############ccc########...#
#.......t....b...........f#
#.........................#
#f........................#
#...########ccc############
#f...........b...t........#
#.........................#
#....<<<<<<<<<<<<<<<<.....#
############ccc########...#
#........t...b...........f#
#.........................#
#.........................#
#...########ccc############
#............b............#
#.o.....f........t........#
#.........................#
#........................f#
###########################
""", route=ORCHARD_ALLEYS, alt=ORCHARD_MIDDLE,
eng=['Orchard', 'The alleys wind through the trees.', 'The cracked trees in the middle',
     'open a way up that scores, one bomb each.'],
deu=['Obstgarten', 'Die Gassen winden sich durch die Bäume.', 'Die rissigen Bäume in der Mitte',
     'öffnen einen Weg, der Punkte bringt, eine Bombe je Reihe.'],
music='sunny', ground=('grass', 'sand', 'stone'), wall='hedge'))

# Moat: the four corners' flags and the bomb, then over the moat to the island with the pavilion: leaping
# the moat from the south bank, or on the ferry at the north; then the island's flag and the pavilion's
# cracked wall.
MOAT_RING = """
go 1 11
go 5 5
go 1 1
go 13 1
go 25 1
go 21 5
go 25 11
go 21 17
go 25 21
go 1 21
go 5 17
"""
MOAT_LEAP = """
go 13 21
leap U 5 2
"""
MOAT_FERRY = """
go 13 5
board 13 5
ride 13 8
slam D
"""
MOAT_ISLAND = """
go 9 13
go 9 9
go 10 11
hold B 2 open the pavilion
wait 30
go 12 11
"""
LEVELS.append(Level('Moat', about="""
Moat: an island with a pavilion in the middle of a moat, its floor the
exit, and flags round the land about it, one beyond a ditch. A ferry crosses the
north moat, slow and safe; the south moat is two tiles wide, a leap for a
ball with a good run. The solution leaps, the other way takes the ferry.""",
map="""
###########################
#f...........f...........f#
#.........................#
#..o................t.....#
#.........................#
#....f.......7.......f....#
#.....               .....#
#.....               .....#
#.....  .....1.....  .....#
#.....  .f.#####.t.  .....#
#....t  ...cxxxc...  .....#
#f....  ...cxxxc...  ....b#
#.....  ...cxxxc...  .....#
#.....  .f.#ccc#...  .....#
#       ...........  .....#
#.....               .....#
#.....               .....#
#....f...............f....#
#.........................#
#.......t............t....#
#.........................#
#f.......................f#
###########################
""", route=MOAT_RING + MOAT_LEAP + MOAT_ISLAND, alt=MOAT_RING + MOAT_FERRY + MOAT_ISLAND,
eng=['Moat', 'The ferry crosses the moat in the north.', 'In the south, take a long run',
     'and jump across.'],
deu=['Burggraben', 'Die Fähre quert den Graben im Norden.', 'Im Süden nimm langen Anlauf',
     'und spring hinüber.'],
pack=N, back='sky', music='sunny', ground=('grass', 'sand', 'stone'), wall='brick'))

# The order of play: the gentler boards first, Journey's End last, a bonus level after every five or six.
ORDER = ['Two Roads', 'Moat', 'Orchard', 'Ferry Loop', 'Updraft',
         'Skipping Lane', 'Crosswind', 'Quarry Road', 'Market Square', 'Sundown', 'Chimney',
         'The Locks', 'Harbour', 'Canyon', 'Switchback', 'Skyward',
         'Lighthouse', 'The Long Way Round', 'Night Train', "Journey's End"]
assert sorted(ORDER) == sorted(level.title for level in LEVELS)
LEVELS.sort(key=lambda level: ORDER.index(level.title))
