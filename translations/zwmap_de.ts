<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>zw::Alerts</name>
    <message>
        <source>As the new function has no suitable inverse, the inverse images of range gridlines will no longer be shown.</source>
        <translation>Da die neue Funktion keine geeignete Umkehrfunktion hat, werden die Urbilder der Gitterlinien des Bildbereichs nicht mehr gezeigt.</translation>
    </message>
    <message>
        <source>The currently selected function has no suitable inverse.</source>
        <translation>Die gewählte Funktion hat keine geeignete Umkehrfunktion.</translation>
    </message>
    <message>
        <source>Clear all paths?</source>
        <translation>Alle Pfade löschen?</translation>
    </message>
    <message>
        <source>This operation cannot be undone.</source>
        <translation>Dies kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>Unrecogonised key</source>
        <translation>Unbekannte Taste</translation>
    </message>
    <message>
        <source>Use the cursor keys or the &apos;2&apos;, &apos;4&apos;, &apos;6&apos;, &apos;8&apos; keys on the numerical keypad to move around.</source>
        <translation>Verschieben Sie die Ansicht mit den Pfeiltasten oder mit den Tasten „2“, „4“, „6“, „8“ des Ziffernblocks.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>The session could not be opened.</source>
        <translation>Die Sitzung konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>%1 was moved, renamed or deleted. It is no longer listed in Open Recent.</source>
        <translation>%1 wurde verschoben, umbenannt oder gelöscht. Die Datei steht nicht mehr unter „Zuletzt geöffnet“.</translation>
    </message>
    <message>
        <source> Nor are %1 other sessions that are gone too.</source>
        <translation> Ebenso %1 weitere Sitzungen, die nicht mehr vorhanden sind.</translation>
    </message>
    <message>
        <source>“%1” no longer exists.</source>
        <translation>„%1“ existiert nicht mehr.</translation>
    </message>
    <message>
        <source>The session could not be saved.</source>
        <translation>Die Sitzung konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>The picture could not be saved.</source>
        <translation>Das Bild konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>At %1× it would be %2x%3 pixels, more than %4 million: choose a smaller scale.</source>
        <translation>Bei %1× hätte es %2x%3 Pixel, mehr als %4 Millionen: Wählen Sie eine kleinere Vergrößerung.</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>The paths hold %1 points in %2 paths, and may hold at most %3 points in %4 paths (counting their images and the removed paths Undo may bring back), so that a session of them can be saved and opened again. Clear the paths, or zoom out so that the shape needs fewer points.</source>
        <translation>Die Pfade umfassen %1 Punkte in %2 Pfaden und dürfen höchstens %3 Punkte in %4 Pfaden umfassen (mitgezählt ihre Bilder und die entfernten Pfade, die „Rückgängig“ zurückholen kann), damit eine Sitzung mit ihnen gespeichert und wieder geöffnet werden kann. Löschen Sie Pfade oder verkleinern Sie die Ansicht, damit die Form weniger Punkte braucht.</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>The changes made since it was last saved are lost otherwise.</source>
        <translation>Sonst gehen die Änderungen seit dem letzten Speichern verloren.</translation>
    </message>
    <message>
        <source>The shape is not added</source>
        <translation>Die Form wird nicht hinzugefügt</translation>
    </message>
    <message>
        <source>The unsaved work could not be restored.</source>
        <translation>Die ungesicherte Arbeit konnte nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>There is nothing to animate.</source>
        <translation>Es gibt nichts zu animieren.</translation>
    </message>
    <message>
        <source>f has no parameters and Morph from Identity is off.</source>
        <translation>f hat keine Parameter, und „Überblenden von der Identität“ ist aus.</translation>
    </message>
    <message>
        <source>The animation could not be saved.</source>
        <translation>Die Animation konnte nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>zw::AnimationActions</name>
    <message>
        <source>Export Animation</source>
        <translation>Animation exportieren</translation>
    </message>
    <message>
        <source>Writing the frames...</source>
        <translation>Die Einzelbilder werden geschrieben...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>zw::AnimationExportDialog</name>
    <message>
        <source>Export Animation</source>
        <translation>Animation exportieren</translation>
    </message>
    <message>
        <source>Both planes, side by side</source>
        <translation>Beide Ebenen nebeneinander</translation>
    </message>
    <message>
        <source>Domain (z) only</source>
        <translation>Nur Definitionsbereich (z)</translation>
    </message>
    <message>
        <source>Range (w) only</source>
        <translation>Nur Bildbereich (w)</translation>
    </message>
    <message>
        <source>Animated GIF (256 colours a frame)</source>
        <translation>Animiertes GIF (256 Farben je Einzelbild)</translation>
    </message>
    <message>
        <source>Animated WebP (lossless)</source>
        <translation>Animiertes WebP (verlustfrei)</translation>
    </message>
    <message>
        <source>Numbered PNG series</source>
        <translation>Nummerierte PNG-Serie</translation>
    </message>
    <message>
        <source>Parameter:</source>
        <translation>Parameter:</translation>
    </message>
    <message>
        <source>From:</source>
        <translation>Von:</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>Bis:</translation>
    </message>
    <message>
        <source>Frames:</source>
        <translation>Einzelbilder:</translation>
    </message>
    <message>
        <source>Frames per second:</source>
        <translation>Bilder pro Sekunde:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>Show:</source>
        <translation>Zeigen:</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>f has no parameter to move.</source>
        <translation>f hat keinen Parameter, der sich bewegen ließe.</translation>
    </message>
    <message>
        <source>From must be a number or x+yi.</source>
        <translation>„Von“ muss eine Zahl oder x+yi sein.</translation>
    </message>
    <message>
        <source>To must be a number or x+yi.</source>
        <translation>„Bis“ muss eine Zahl oder x+yi sein.</translation>
    </message>
    <message>
        <source>Frames per second must be a number from 0.1 to 100.</source>
        <translation>„Bilder pro Sekunde“ muss eine Zahl von 0.1 bis 100 sein.</translation>
    </message>
    <message>
        <source>Animated GIF (*.gif)</source>
        <translation>Animiertes GIF (*.gif)</translation>
    </message>
    <message>
        <source>Animated WebP (*.webp)</source>
        <translation>Animiertes WebP (*.webp)</translation>
    </message>
    <message>
        <source>PNG series (*.png)</source>
        <translation>PNG-Serie (*.png)</translation>
    </message>
</context>
<context>
    <name>zw::Catalogue</name>
    <message>
        <source>w = z; inverse: itself</source>
        <translation>w = z; Umkehrfunktion: sie selbst</translation>
    </message>
    <message>
        <source>w = eᶻ; no inverse</source>
        <translation>w = eᶻ; keine Umkehrfunktion</translation>
    </message>
    <message>
        <source>w = z²; no inverse</source>
        <translation>w = z²; keine Umkehrfunktion</translation>
    </message>
    <message>
        <source>w = z³; no inverse</source>
        <translation>w = z³; keine Umkehrfunktion</translation>
    </message>
    <message>
        <source>w = z⁴; no inverse</source>
        <translation>w = z⁴; keine Umkehrfunktion</translation>
    </message>
    <message>
        <source>w = (z − i)/(z + i), upper half-plane onto the unit disk; inverse: Hyperbolic Disk to Plane</source>
        <translation>w = (z − i)/(z + i), obere Halbebene auf die Einheitskreisscheibe; Umkehrfunktion: Hyperbolic Disk to Plane</translation>
    </message>
    <message>
        <source>w = i(1 + z)/(1 − z); inverse: Hyperbolic Plane To Disk</source>
        <translation>w = i(1 + z)/(1 − z); Umkehrfunktion: Hyperbolic Plane To Disk</translation>
    </message>
    <message>
        <source>w = 1/z; inverse: itself</source>
        <translation>w = 1/z; Umkehrfunktion: sie selbst</translation>
    </message>
    <message>
        <source>w = −z; inverse: itself</source>
        <translation>w = −z; Umkehrfunktion: sie selbst</translation>
    </message>
    <message>
        <source>w = sin z; no inverse</source>
        <translation>w = sin z; keine Umkehrfunktion</translation>
    </message>
    <message>
        <source>w = cos z; no inverse</source>
        <translation>w = cos z; keine Umkehrfunktion</translation>
    </message>
    <message>
        <source>w = tan z; no inverse</source>
        <translation>w = tan z; keine Umkehrfunktion</translation>
    </message>
    <message>
        <source>w = sinh z; no inverse</source>
        <translation>w = sinh z; keine Umkehrfunktion</translation>
    </message>
    <message>
        <source>w = cosh z; no inverse</source>
        <translation>w = cosh z; keine Umkehrfunktion</translation>
    </message>
    <message>
        <source>w = tanh z; no inverse</source>
        <translation>w = tanh z; keine Umkehrfunktion</translation>
    </message>
    <message>
        <source>w = e^(1/z); no inverse</source>
        <translation>w = e^(1/z); keine Umkehrfunktion</translation>
    </message>
    <message>
        <source>w = 1/(e^(1/z) − 1); no inverse</source>
        <translation>w = 1/(e^(1/z) − 1); keine Umkehrfunktion</translation>
    </message>
    <message>
        <source>w = (x + 1/x) + i(y + 1/y) for z = x + iy, part by part; no inverse</source>
        <translation>w = (x + 1/x) + i(y + 1/y) für z = x + iy, teilweise definiert; keine Umkehrfunktion</translation>
    </message>
</context>
<context>
    <name>zw::CommandLine</name>
    <message>
        <source>Complex functions w = f(z) as mappings of the plane.
With --export, zwmap prints nothing when the picture is written and exits with 0; an error is one line on standard error, with status 1 (a file that cannot be read or written) or 2 (a usage error).</source>
        <translation>Komplexe Funktionen w = f(z) als Abbildungen der Ebene.
Mit --export gibt zwmap nichts aus, wenn das Bild geschrieben ist, und endet mit 0; ein Fehler ist eine Zeile auf der Standardfehlerausgabe, mit Status 1 (eine Datei, die nicht gelesen oder geschrieben werden kann) oder 2 (ein Aufruffehler).</translation>
    </message>
    <message>
        <source>Size of the picture in pixels (default 1000x500; one plane 500x500). A larger size shows more of the planes at the same zoom.</source>
        <translation>Größe des Bildes in Pixeln (Vorgabe 1000x500; eine Ebene 500x500). Ein größeres Bild zeigt bei gleichem Zoom mehr von den Ebenen.</translation>
    </message>
    <message>
        <source>The same view in N times the pixels, sharper, N from 1 (the default) to 8; an SVG becomes a document N times as large.</source>
        <translation>Dieselbe Ansicht mit N-mal so vielen Pixeln, schärfer, N von 1 (Vorgabe) bis 8; ein SVG wird ein N-mal so großes Dokument.</translation>
    </message>
    <message>
        <source>The planes to show: domain, range or both.</source>
        <translation>Die zu zeigenden Ebenen: domain (Definitionsbereich), range (Bildbereich) oder both (beide).</translation>
    </message>
    <message>
        <source>With --export, write the diagnostics (divisions by zero and the like) to standard error too.</source>
        <translation>Mit --export auch die Diagnosen (Divisionen durch null und dergleichen) auf die Standardfehlerausgabe schreiben.</translation>
    </message>
    <message>
        <source>The session to open or render.</source>
        <translation>Die zu öffnende oder auszugebende Sitzung.</translation>
    </message>
    <message>
        <source>Forget the remembered settings (window size, view options, shading colours, export folder) and start with the defaults.</source>
        <translation>Die gespeicherten Einstellungen (Fenstergröße, Ansichtsoptionen, Schattierungsfarben, Exportordner) vergessen und mit den Vorgaben starten.</translation>
    </message>
    <message>
        <source>Render the session into OUT (.png or .svg; with --animate .gif, .webp or a series OUT-%03d.png) without a screen, then exit.</source>
        <translation>Die Sitzung ohne Bildschirm als OUT ausgeben (.png oder .svg; mit --animate .gif, .webp oder eine Serie OUT-%03d.png), dann beenden.</translation>
    </message>
    <message>
        <source>With --export, give the parameter NAME of the session&apos;s formula the value VALUE: a real number (1.5) or a complex one (0.5-2i). Repeatable.</source>
        <translation>Mit --export dem Parameter NAME der Formel der Sitzung den Wert VALUE geben: eine reelle Zahl (1.5) oder eine komplexe (0.5-2i). Wiederholbar.</translation>
    </message>
    <message>
        <source>Export an animation that moves the parameter NAME (or the morph&apos;s t) in a straight line from FROM to TO, into OUT.gif, OUT.webp or a series OUT-%03d.png (numbered from 1).</source>
        <translation>Eine Animation exportieren, die den Parameter NAME (oder das t der Überblendung) auf einer Geraden von FROM nach TO bewegt, als OUT.gif, OUT.webp oder eine Serie OUT-%03d.png (nummeriert ab 1).</translation>
    </message>
    <message>
        <source>The number of frames of the animation, from 1 to 10000 (default 60); the first shows FROM, the last TO.</source>
        <translation>Die Zahl der Einzelbilder der Animation, von 1 bis 10000 (Vorgabe 60); das erste zeigt FROM, das letzte TO.</translation>
    </message>
    <message>
        <source>Frames per second of the animation, from 0.1 to 100 (default 30).</source>
        <translation>Bilder pro Sekunde der Animation, von 0.1 bis 100 (Vorgabe 30).</translation>
    </message>
</context>
<context>
    <name>zw::Commands</name>
    <message>
        <source>Zoom In</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom in by 2 about the centre</source>
        <translation>Um den Faktor 2 um die Mitte vergrößern</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Zoom out by 2 about the centre</source>
        <translation>Um den Faktor 2 um die Mitte verkleinern</translation>
    </message>
    <message>
        <source>Show Axis Labels</source>
        <translation>Achsenbeschriftung zeigen</translation>
    </message>
    <message>
        <source>Show the numbers along the axes</source>
        <translation>Die Zahlen an den Achsen zeigen</translation>
    </message>
    <message>
        <source>Show Grid</source>
        <translation>Gitter zeigen</translation>
    </message>
    <message>
        <source>Show this plane&apos;s square grid</source>
        <translation>Das quadratische Gitter dieser Ebene zeigen</translation>
    </message>
    <message>
        <source>Path Colour</source>
        <translation>Pfadfarbe</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message>
        <source>New paths in black</source>
        <translation>Neue Pfade in Schwarz</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>New paths in blue</source>
        <translation>Neue Pfade in Blau</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>New paths in green</source>
        <translation>Neue Pfade in Grün</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>New paths in red</source>
        <translation>Neue Pfade in Rot</translation>
    </message>
    <message>
        <source>Other...</source>
        <translation>Andere...</translation>
    </message>
    <message>
        <source>Choose a colour for new paths</source>
        <translation>Eine Farbe für neue Pfade wählen</translation>
    </message>
    <message>
        <source>Reset View</source>
        <translation>Ansicht zurücksetzen</translation>
    </message>
    <message>
        <source>Scale factor 1 with the origin at the centre</source>
        <translation>Maßstab 1 mit dem Ursprung in der Mitte</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Start again with the function, views and options a window starts with</source>
        <translation>Neu beginnen, mit der Funktion, den Ansichten und den Optionen eines neuen Fensters</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>Öffnen...</translation>
    </message>
    <message>
        <source>Open a saved session</source>
        <translation>Eine gespeicherte Sitzung öffnen</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>Clear Menu</source>
        <translation>Liste leeren</translation>
    </message>
    <message>
        <source>Forget the sessions listed here</source>
        <translation>Die hier aufgeführten Sitzungen vergessen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save the session: function, views, options and paths</source>
        <translation>Die Sitzung speichern: Funktion, Ansichten, Optionen und Pfade</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>Save the session in a new file</source>
        <translation>Die Sitzung in einer neuen Datei speichern</translation>
    </message>
    <message>
        <source>Export Picture...</source>
        <translation>Bild exportieren...</translation>
    </message>
    <message>
        <source>Save what the planes show as a PNG or SVG picture</source>
        <translation>Was die Ebenen zeigen als PNG- oder SVG-Bild speichern</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Quit zwmap</source>
        <translation>zwmap beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Undo the last path drawn or removed</source>
        <translation>Den zuletzt gezeichneten oder entfernten Pfad rückgängig machen</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Redo what was undone</source>
        <translation>Das Rückgängiggemachte wiederholen</translation>
    </message>
    <message>
        <source>Add Circle...</source>
        <translation>Kreis hinzufügen...</translation>
    </message>
    <message>
        <source>Add an exact circle, given its centre and radius, as a path</source>
        <translation>Einen exakten Kreis aus Mittelpunkt und Radius als Pfad hinzufügen</translation>
    </message>
    <message>
        <source>Add Line...</source>
        <translation>Strecke hinzufügen...</translation>
    </message>
    <message>
        <source>Add an exact line segment, given its end points, as a path</source>
        <translation>Eine exakte Strecke aus ihren Endpunkten als Pfad hinzufügen</translation>
    </message>
    <message>
        <source>Remove Last Path</source>
        <translation>Letzten Pfad entfernen</translation>
    </message>
    <message>
        <source>Remove the newest path from both planes</source>
        <translation>Den neuesten Pfad aus beiden Ebenen entfernen</translation>
    </message>
    <message>
        <source>Clear All Paths...</source>
        <translation>Alle Pfade löschen...</translation>
    </message>
    <message>
        <source>Remove every path from both planes, after asking</source>
        <translation>Nach Rückfrage alle Pfade aus beiden Ebenen entfernen</translation>
    </message>
    <message>
        <source>F&amp;unction</source>
        <translation>F&amp;unktion</translation>
    </message>
    <message>
        <source>Möbius Map...</source>
        <translation>Möbius-Transformation...</translation>
    </message>
    <message>
        <source>w = (az + b)/(cz + d) with complex a, b, c, d; inverse: z = (dw − b)/(a − cw)</source>
        <translation>w = (az + b)/(cz + d) mit komplexen a, b, c, d; Umkehrfunktion: z = (dw − b)/(a − cw)</translation>
    </message>
    <message>
        <source>Cubic Polynomial...</source>
        <translation>Kubisches Polynom...</translation>
    </message>
    <message>
        <source>w = az³ + bz² + cz + d with complex a, b, c, d; no inverse</source>
        <translation>w = az³ + bz² + cz + d mit komplexen a, b, c, d; keine Umkehrfunktion</translation>
    </message>
    <message>
        <source>Affine Map...</source>
        <translation>Affine Abbildung...</translation>
    </message>
    <message>
        <source>w = (u + ax + cy) + i(v + bx + dy) for z = x + iy, with real u, v, a, b, c, d; inverse: the inverse matrix, where ad − bc ≠ 0</source>
        <translation>w = (u + ax + cy) + i(v + bx + dy) für z = x + iy, mit reellen u, v, a, b, c, d; Umkehrfunktion: die inverse Matrix, wo ad − bc ≠ 0</translation>
    </message>
    <message>
        <source>Formula...</source>
        <translation>Formel...</translation>
    </message>
    <message>
        <source>w = a formula in z you type, e.g. sin(z)^2 + 1/(z-1); inverse: the formula in w you give with it, if any</source>
        <translation>w = eine eingegebene Formel in z, z. B. sin(z)^2 + 1/(z-1); Umkehrfunktion: die dazu angegebene Formel in w, falls vorhanden</translation>
    </message>
    <message>
        <source>&amp;Domain</source>
        <translation>De&amp;finitionsbereich</translation>
    </message>
    <message>
        <source>Shade by Modulus</source>
        <translation>Nach Betrag schattieren</translation>
    </message>
    <message>
        <source>Shade the domain by the modulus of f(z)</source>
        <translation>Den Definitionsbereich nach dem Betrag von f(z) schattieren</translation>
    </message>
    <message>
        <source>Shade by Argument</source>
        <translation>Nach Argument schattieren</translation>
    </message>
    <message>
        <source>Shade the domain by the argument of f(z)</source>
        <translation>Den Definitionsbereich nach dem Argument von f(z) schattieren</translation>
    </message>
    <message>
        <source>Highest Resolution</source>
        <translation>Höchste Auflösung</translation>
    </message>
    <message>
        <source>Shade in finer boxes (slower)</source>
        <translation>In feineren Kästchen schattieren (langsamer)</translation>
    </message>
    <message>
        <source>Show Path Images in Domain</source>
        <translation>Bilder der Pfade im Definitionsbereich zeigen</translation>
    </message>
    <message>
        <source>Draw the images of the paths in the domain too</source>
        <translation>Die Bilder der Pfade auch im Definitionsbereich zeichnen</translation>
    </message>
    <message>
        <source>Show Inverse Images of Range Grid</source>
        <translation>Urbilder des Bildbereich-Gitters zeigen</translation>
    </message>
    <message>
        <source>Pull the range&apos;s grid back into the domain, where f has an inverse</source>
        <translation>Das Gitter des Bildbereichs in den Definitionsbereich zurückholen, wo f eine Umkehrfunktion hat</translation>
    </message>
    <message>
        <source>Shading Colours</source>
        <translation>Schattierungsfarben</translation>
    </message>
    <message>
        <source>Classic</source>
        <translation>Klassisch</translation>
    </message>
    <message>
        <source>Shade in grey and from red to blue</source>
        <translation>In Grau und von Rot bis Blau schattieren</translation>
    </message>
    <message>
        <source>Colour Wheel</source>
        <translation>Farbkreis</translation>
    </message>
    <message>
        <source>Shade the argument as hue, the modulus as bands at powers of 2</source>
        <translation>Das Argument als Farbton, den Betrag als Bänder bei Zweierpotenzen schattieren</translation>
    </message>
    <message>
        <source>&amp;Range</source>
        <translation>B&amp;ildbereich</translation>
    </message>
    <message>
        <source>Show Grid Images</source>
        <translation>Bilder des Gitters zeigen</translation>
    </message>
    <message>
        <source>Show the images of the domain&apos;s grid</source>
        <translation>Die Bilder des Gitters des Definitionsbereichs zeigen</translation>
    </message>
    <message>
        <source>Allow Drawing</source>
        <translation>Zeichnen erlauben</translation>
    </message>
    <message>
        <source>Redraw Images Under Current Function</source>
        <translation>Bilder unter der aktuellen Funktion neu zeichnen</translation>
    </message>
    <message>
        <source>Redraw every path&apos;s image under the current function</source>
        <translation>Das Bild jedes Pfads unter der aktuellen Funktion neu zeichnen</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Linked Cursor</source>
        <translation>Gekoppelter Zeiger</translation>
    </message>
    <message>
        <source>Mark the image of the pointer in the other plane</source>
        <translation>Das Bild des Zeigers in der anderen Ebene markieren</translation>
    </message>
    <message>
        <source>Follow Curves Near Poles</source>
        <translation>Kurven nahe Polstellen folgen</translation>
    </message>
    <message>
        <source>Refine images where f bends fast and break them where it jumps</source>
        <translation>Bilder verfeinern, wo f sich stark krümmt, und unterbrechen, wo f springt</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Keys and Mouse</source>
        <translation>Tasten und Maus</translation>
    </message>
    <message>
        <source>List every key, shortcut and mouse action</source>
        <translation>Alle Tasten, Tastenkürzel und Mausaktionen auflisten</translation>
    </message>
    <message>
        <source>Functions</source>
        <translation>Funktionen</translation>
    </message>
    <message>
        <source>The formula of each function and which have inverses</source>
        <translation>Die Formel jeder Funktion und welche eine Umkehrfunktion haben</translation>
    </message>
    <message>
        <source>About zwmap</source>
        <translation>Über zwmap</translation>
    </message>
    <message>
        <source>Version, Qt version and licence</source>
        <translation>Version, Qt-Version und Lizenz</translation>
    </message>
    <message>
        <source>Last Path Drawn</source>
        <translation>Zuletzt gezeichneter Pfad</translation>
    </message>
    <message>
        <source>Redraw Images</source>
        <translation>Bilder neu zeichnen</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Rückgängig: %1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>Wiederholen: %1</translation>
    </message>
    <message>
        <source>Reset Settings</source>
        <translation>Einstellungen zurücksetzen</translation>
    </message>
    <message>
        <source>Put every remembered setting back as zwmap first starts</source>
        <translation>Alle gespeicherten Einstellungen wie beim ersten Start von zwmap zurücksetzen</translation>
    </message>
    <message>
        <source>Draw paths in the range; their preimages on every branch follow in the domain</source>
        <translation>Pfade im Bildbereich zeichnen; ihre Urbilder auf jedem Zweig folgen im Definitionsbereich</translation>
    </message>
    <message>
        <source>Path Drawn in Range</source>
        <translation>Im Bildbereich gezeichneter Pfad</translation>
    </message>
    <message>
        <source>Morph from Identity</source>
        <translation>Überblenden von der Identität</translation>
    </message>
    <message>
        <source>w = (1 − t)z + t f(z), with t on the Parameters panel; no inverse while t &lt; 1</source>
        <translation>w = (1 − t)z + t f(z), mit t im Parameterfeld; keine Umkehrfunktion, solange t &lt; 1</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Show the panel of f&apos;s parameters: sliders, values, ranges, Play</source>
        <translation>Das Feld der Parameter von f zeigen: Schieberegler, Werte, Bereiche, Abspielen</translation>
    </message>
    <message>
        <source>Change %1</source>
        <translation>%1 ändern</translation>
    </message>
    <message>
        <source>Export Animation...</source>
        <translation>Animation exportieren...</translation>
    </message>
    <message>
        <source>Save an animated GIF, WebP or a numbered PNG series of the planes as a parameter moves</source>
        <translation>Ein animiertes GIF, WebP oder eine nummerierte PNG-Serie der Ebenen speichern, während sich ein Parameter bewegt</translation>
    </message>
    <message>
        <source>Copy Picture</source>
        <translation>Bild kopieren</translation>
    </message>
    <message>
        <source>Copy both planes as a picture, to paste into a document</source>
        <translation>Beide Ebenen als Bild kopieren, um sie in ein Dokument einzufügen</translation>
    </message>
    <message>
        <source>Copy Focused Plane</source>
        <translation>Ebene mit den Tasten kopieren</translation>
    </message>
    <message>
        <source>Copy the plane with the keys as a picture</source>
        <translation>Die Ebene mit den Tasten als Bild kopieren</translation>
    </message>
    <message>
        <source>Shading Resolution</source>
        <translation>Auflösung der Schattierung</translation>
    </message>
    <message>
        <source>Boxes</source>
        <translation>Blöcke</translation>
    </message>
    <message>
        <source>Shade in boxes of two or four pixels</source>
        <translation>In Blöcken von zwei oder vier Pixeln schattieren</translation>
    </message>
    <message>
        <source>Every Pixel</source>
        <translation>Jedes Pixel</translation>
    </message>
    <message>
        <source>Shade every pixel from f at its centre</source>
        <translation>Jedes Pixel nach dem Wert von f in seiner Mitte schattieren</translation>
    </message>
    <message>
        <source>Coordinates at Edges</source>
        <translation>Koordinaten an den Rändern</translation>
    </message>
    <message>
        <source>Keep the axes&apos; numbers along the edges when the axes are out of view</source>
        <translation>Die Zahlen der Achsen an den Rändern zeigen, wenn die Achsen außer Sicht sind</translation>
    </message>
    <message>
        <source>Pull Back Grid on Every Branch</source>
        <translation>Gitter auf jedem Zweig zurückholen</translation>
    </message>
    <message>
        <source>Pull the range&apos;s grid back into the domain on every branch, with or without an inverse</source>
        <translation>Das Gitter des Bildbereichs auf jedem Zweig in den Definitionsbereich zurückholen, mit oder ohne Umkehrfunktion</translation>
    </message>
    <message>
        <source>Zeros, Poles and Critical Points</source>
        <translation>Nullstellen, Polstellen und kritische Punkte</translation>
    </message>
    <message>
        <source>Mark the zeros (○), poles (×) and critical points (◇) in the domain, and the critical values (◇) in the range</source>
        <translation>Die Nullstellen (○), Polstellen (×) und kritischen Punkte (◇) im Definitionsbereich markieren und die kritischen Werte (◇) im Bildbereich</translation>
    </message>
    <message>
        <source>Go to Domain</source>
        <translation>Zum Definitionsbereich</translation>
    </message>
    <message>
        <source>Give the domain (the z-plane) the keys: arrows pan, + and - zoom</source>
        <translation>Dem Definitionsbereich (der z-Ebene) die Tasten geben: Pfeile verschieben, + und - zoomen</translation>
    </message>
    <message>
        <source>Go to Range</source>
        <translation>Zum Bildbereich</translation>
    </message>
    <message>
        <source>Give the range (the w-plane) the keys: arrows pan, + and - zoom</source>
        <translation>Dem Bildbereich (der w-Ebene) die Tasten geben: Pfeile verschieben, + und - zoomen</translation>
    </message>
</context>
<context>
    <name>zw::ExportDialog</name>
    <message>
        <source>Export Picture</source>
        <translation>Bild exportieren</translation>
    </message>
    <message>
        <source>Both planes, side by side</source>
        <translation>Beide Ebenen nebeneinander</translation>
    </message>
    <message>
        <source>Domain (z) only</source>
        <translation>Nur Definitionsbereich (z)</translation>
    </message>
    <message>
        <source>Range (w) only</source>
        <translation>Nur Bildbereich (w)</translation>
    </message>
    <message>
        <source>PNG image, as on the screen</source>
        <translation>PNG-Bild, wie auf dem Bildschirm</translation>
    </message>
    <message>
        <source>SVG drawing, as vectors</source>
        <translation>SVG-Zeichnung, als Vektoren</translation>
    </message>
    <message>
        <source>1×, as on the screen</source>
        <translation>1×, wie auf dem Bildschirm</translation>
    </message>
    <message>
        <source>Show:</source>
        <translation>Zeigen:</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>Scale:</source>
        <translation>Vergrößerung:</translation>
    </message>
</context>
<context>
    <name>zw::Fields</name>
    <message>
        <source>ad − bc = 0: the map would send every point to one value.</source>
        <translation>ad − bc = 0: Die Abbildung würde jeden Punkt auf denselben Wert schicken.</translation>
    </message>
    <message>
        <source>Type a number.</source>
        <translation>Geben Sie eine Zahl ein.</translation>
    </message>
    <message>
        <source>Use &apos;.&apos; as the decimal point.</source>
        <translation>Verwenden Sie „.“ als Dezimaltrennzeichen.</translation>
    </message>
    <message>
        <source>Not a number.</source>
        <translation>Keine Zahl.</translation>
    </message>
    <message>
        <source>Out of range.</source>
        <translation>Außerhalb des Bereichs.</translation>
    </message>
    <message>
        <source>Must be finite.</source>
        <translation>Muss endlich sein.</translation>
    </message>
    <message>
        <source>Too large (over 3.4e38).</source>
        <translation>Zu groß (über 3.4e38).</translation>
    </message>
    <message>
        <source>%1 is empty.</source>
        <translation>%1 ist leer.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is too large.</source>
        <translation>%1: „%2“ ist zu groß.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a number; use &apos;.&apos; as the decimal point.</source>
        <translation>%1: „%2“ ist keine Zahl; verwenden Sie „.“ als Dezimaltrennzeichen.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a number.</source>
        <translation>%1: „%2“ ist keine Zahl.</translation>
    </message>
    <message>
        <source>%1 must be a finite number.</source>
        <translation>%1 muss eine endliche Zahl sein.</translation>
    </message>
    <message>
        <source>Centre, real part</source>
        <translation>Mittelpunkt, Realteil</translation>
    </message>
    <message>
        <source>Centre, imaginary part</source>
        <translation>Mittelpunkt, Imaginärteil</translation>
    </message>
    <message>
        <source>Radius</source>
        <translation>Radius</translation>
    </message>
    <message>
        <source>Radius must be greater than 0.</source>
        <translation>Der Radius muss größer als 0 sein.</translation>
    </message>
    <message>
        <source>Start, real part</source>
        <translation>Anfang, Realteil</translation>
    </message>
    <message>
        <source>Start, imaginary part</source>
        <translation>Anfang, Imaginärteil</translation>
    </message>
    <message>
        <source>End, real part</source>
        <translation>Ende, Realteil</translation>
    </message>
    <message>
        <source>End, imaginary part</source>
        <translation>Ende, Imaginärteil</translation>
    </message>
    <message>
        <source>The two end points must differ.</source>
        <translation>Die beiden Endpunkte müssen verschieden sein.</translation>
    </message>
    <message>
        <source>the formula is empty</source>
        <translation>die Formel ist leer</translation>
    </message>
    <message>
        <source>the formula is too deeply nested</source>
        <translation>die Formel ist zu tief verschachtelt</translation>
    </message>
    <message>
        <source>missing &quot;)&quot;</source>
        <translation>es fehlt „)“</translation>
    </message>
    <message>
        <source>inverse: %1</source>
        <translation>Umkehrfunktion: %1</translation>
    </message>
    <message>
        <source>the formula is too long: at most %1 characters</source>
        <translation>die Formel ist zu lang: höchstens %1 Zeichen</translation>
    </message>
    <message>
        <source>missing operand at column %1</source>
        <translation>fehlender Operand in Spalte %1</translation>
    </message>
    <message>
        <source>unexpected %1 at column %2</source>
        <translation>unerwartetes %1 in Spalte %2</translation>
    </message>
    <message>
        <source>number out of range %1 at column %2</source>
        <translation>Zahl außerhalb des Bereichs %1 in Spalte %2</translation>
    </message>
    <message>
        <source>missing operator before %1 at column %2</source>
        <translation>fehlender Operator vor %1 in Spalte %2</translation>
    </message>
    <message>
        <source>too deeply nested at column %1: at most %2 levels</source>
        <translation>zu tief verschachtelt in Spalte %1: höchstens %2 Ebenen</translation>
    </message>
    <message>
        <source>expected &quot;(&quot; after %1 at column %2</source>
        <translation>„(“ erwartet nach %1 in Spalte %2</translation>
    </message>
    <message>
        <source>unknown name %1: the variable here is %2</source>
        <translation>unbekannter Name %1: die Variable ist hier %2</translation>
    </message>
    <message>
        <source>unknown name %1</source>
        <translation>unbekannter Name %1</translation>
    </message>
    <message>
        <source>not an inverse of f: f(inverse(w)) = %1 at w = %2</source>
        <translation>keine Umkehrfunktion von f: f(Umkehrfunktion(w)) = %1 bei w = %2</translation>
    </message>
    <message>
        <source>unknown function %1 (for a product write %2*(...))</source>
        <translation>unbekannte Funktion %1 (für ein Produkt schreiben Sie %2*(...))</translation>
    </message>
</context>
<context>
    <name>zw::FormulaDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Formula</source>
        <translation>Formel</translation>
    </message>
    <message>
        <source>inverse (optional) =</source>
        <translation>Umkehrfunktion (optional) =</translation>
    </message>
    <message>
        <source>Example:  sin(z)^2 + 1/(z-1),  with inverse  i(1+w)/(1-w)
Operators:  + - * / ^     Names:  i  pi  e  x = Re z  y = Im z
Functions:  sin cos tan sinh cosh tanh asin acos atan asinh acosh atanh exp log sqrt abs arg conj re im
Any other name is a parameter, set on the Parameters panel: a, k, r1, theta. A name is a whole word: az is one parameter; a z, a*z and 2a are products; write a*(z+1), as a( would be a function.</source>
        <translation>Beispiel:  sin(z)^2 + 1/(z-1),  mit Umkehrfunktion  i(1+w)/(1-w)
Operatoren:  + - * / ^     Namen:  i  pi  e  x = Re z  y = Im z
Funktionen:  sin cos tan sinh cosh tanh asin acos atan asinh acosh atanh exp log sqrt abs arg conj re im
Jeder andere Name ist ein Parameter, einzustellen im Parameterfeld: a, k, r1, theta. Ein Name ist ein ganzes Wort: az ist ein Parameter; a z, a*z und 2a sind Produkte; schreiben Sie a*(z+1), denn a( wäre eine Funktion.</translation>
    </message>
    <message>
        <source>Parameters:</source>
        <translation>Parameter:</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>f as a formula in z, e.g. sin(z)^2 + 1/(z-1)</source>
        <translation>f als Formel in z, z. B. sin(z)^2 + 1/(z-1)</translation>
    </message>
    <message>
        <source>The inverse of f as a formula in w, e.g. i(1+w)/(1-w); empty if you know none</source>
        <translation>Die Umkehrfunktion von f als Formel in w, z. B. i(1+w)/(1-w); leer, wenn Sie keine kennen</translation>
    </message>
</context>
<context>
    <name>zw::HelpMenu</name>
    <message>
        <source>Left drag in the domain</source>
        <translation>Ziehen mit links im Definitionsbereich</translation>
    </message>
    <message>
        <source>Draws a path; its image under f is drawn in the range as you go</source>
        <translation>Zeichnet einen Pfad; sein Bild unter f entsteht dabei im Bildbereich</translation>
    </message>
    <message>
        <source>Wheel, or Ctrl+wheel</source>
        <translation>Mausrad oder Strg+Mausrad</translation>
    </message>
    <message>
        <source>Zooms the plane under the pointer by 2 per notch, about the pointer</source>
        <translation>Zoomt die Ebene unter dem Zeiger um den Faktor 2 je Raste, um den Zeiger</translation>
    </message>
    <message>
        <source>Middle or right drag</source>
        <translation>Ziehen mit der mittleren oder rechten Taste</translation>
    </message>
    <message>
        <source>Pans the plane under the pointer by the distance dragged</source>
        <translation>Verschiebt die Ebene unter dem Zeiger um die gezogene Strecke</translation>
    </message>
    <message>
        <source>Pointer over a plane</source>
        <translation>Zeiger über einer Ebene</translation>
    </message>
    <message>
        <source>The status bar shows z and f(z), or w and f⁻¹(w) where f has an inverse; while no button is held a ring marks the image in the other plane (View &gt; Linked Cursor)</source>
        <translation>Die Statusleiste zeigt z und f(z), oder w und f⁻¹(w), wo f eine Umkehrfunktion hat; solange keine Taste gedrückt ist, markiert ein Ring das Bild in der anderen Ebene (Ansicht &gt; Gekoppelter Zeiger)</translation>
    </message>
    <message>
        <source>Click in a plane</source>
        <translation>Klick in eine Ebene</translation>
    </message>
    <message>
        <source>Gives that plane the keys</source>
        <translation>Gibt dieser Ebene die Tasten</translation>
    </message>
    <message>
        <source>Arrow keys, or 2, 4, 6, 8</source>
        <translation>Pfeiltasten oder 2, 4, 6, 8</translation>
    </message>
    <message>
        <source>Pan the plane with the keys by 100 pixels</source>
        <translation>Verschieben die Ebene mit den Tasten um 100 Pixel</translation>
    </message>
    <message>
        <source>+ (or =) and -, main and keypad</source>
        <translation>+ (oder =) und -, Haupttastatur und Ziffernblock</translation>
    </message>
    <message>
        <source>Zoom the plane with the keys in or out by 2, about its centre</source>
        <translation>Vergrößern oder verkleinern die Ebene mit den Tasten um den Faktor 2, um ihre Mitte</translation>
    </message>
    <message>
        <source>Any other key</source>
        <translation>Jede andere Taste</translation>
    </message>
    <message>
        <source>Shows the &quot;Unrecogonised key&quot; notice in the plane with the keys</source>
        <translation>Zeigt den Hinweis „Unbekannte Taste“ in der Ebene mit den Tasten</translation>
    </message>
    <message>
        <source>Alt+letter</source>
        <translation>Alt+Buchstabe</translation>
    </message>
    <message>
        <source>Opens the menu with that underlined letter</source>
        <translation>Öffnet das Menü mit diesem unterstrichenen Buchstaben</translation>
    </message>
    <message>
        <source>Return, Escape</source>
        <translation>Eingabe, Escape</translation>
    </message>
    <message>
        <source>In a dialog or notice: OK (or the default button), and Cancel or Close</source>
        <translation>In einem Dialog oder Hinweis: OK (oder die Standardschaltfläche), und Abbrechen oder Schließen</translation>
    </message>
    <message>
        <source>&lt;h3&gt;zwmap %1&lt;/h3&gt;&lt;p&gt;Complex functions w = f(z) seen as mappings of the plane.&lt;/p&gt;&lt;p&gt;Built with Qt %2, running on Qt %3.&lt;/p&gt;&lt;p&gt;Licence: MIT.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;zwmap %1&lt;/h3&gt;&lt;p&gt;Komplexe Funktionen w = f(z) als Abbildungen der Ebene.&lt;/p&gt;&lt;p&gt;Erstellt mit Qt %2, läuft mit Qt %3.&lt;/p&gt;&lt;p&gt;Lizenz: MIT.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Keys and Mouse</source>
        <translation>Tasten und Maus</translation>
    </message>
    <message>
        <source>Plane keys go to the plane with the keys (the one with the frame); menu shortcuts work anywhere.</source>
        <translation>Ebenentasten wirken auf die Ebene mit den Tasten (die mit dem Rahmen); Menükürzel wirken überall.</translation>
    </message>
    <message>
        <source>Key or action</source>
        <translation>Taste oder Aktion</translation>
    </message>
    <message>
        <source>What it does</source>
        <translation>Wirkung</translation>
    </message>
    <message>
        <source>Functions</source>
        <translation>Funktionen</translation>
    </message>
    <message>
        <source>The Function menu&apos;s entries. Where f has an inverse, the range&apos;s grid can be pulled back into the domain and the status bar shows f⁻¹(w).</source>
        <translation>Die Einträge des Menüs „Funktion“. Wo f eine Umkehrfunktion hat, lässt sich das Gitter des Bildbereichs in den Definitionsbereich zurückholen, und die Statusleiste zeigt f⁻¹(w).</translation>
    </message>
    <message>
        <source>Function</source>
        <translation>Funktion</translation>
    </message>
    <message>
        <source>Formula and inverse</source>
        <translation>Formel und Umkehrfunktion</translation>
    </message>
    <message>
        <source>About zwmap</source>
        <translation>Über zwmap</translation>
    </message>
    <message>
        <source>Left drag in the range</source>
        <translation>Ziehen mit links im Bildbereich</translation>
    </message>
    <message>
        <source>With Range &gt; Allow Drawing on: draws a path in w; its preimages on every branch are drawn in the domain as you go</source>
        <translation>Bei eingeschaltetem Bildbereich &gt; Zeichnen erlauben: zeichnet einen Pfad in w; seine Urbilder auf jedem Zweig entstehen dabei im Definitionsbereich</translation>
    </message>
</context>
<context>
    <name>zw::MainWindow</name>
    <message>
        <source>Möbius Map</source>
        <translation>Möbius-Transformation</translation>
    </message>
    <message>
        <source>a real</source>
        <translation>a reell</translation>
    </message>
    <message>
        <source>a imaginary</source>
        <translation>a imaginär</translation>
    </message>
    <message>
        <source>b real</source>
        <translation>b reell</translation>
    </message>
    <message>
        <source>b imaginary</source>
        <translation>b imaginär</translation>
    </message>
    <message>
        <source>c real</source>
        <translation>c reell</translation>
    </message>
    <message>
        <source>c imaginary</source>
        <translation>c imaginär</translation>
    </message>
    <message>
        <source>d real</source>
        <translation>d reell</translation>
    </message>
    <message>
        <source>d imaginary</source>
        <translation>d imaginär</translation>
    </message>
    <message>
        <source>Cubic Polynomial</source>
        <translation>Kubisches Polynom</translation>
    </message>
    <message>
        <source>Affine Map</source>
        <translation>Affine Abbildung</translation>
    </message>
    <message>
        <source>cR (unused)</source>
        <translation>cR (ungenutzt)</translation>
    </message>
    <message>
        <source>dR (unused)</source>
        <translation>dR (ungenutzt)</translation>
    </message>
    <message>
        <source>z-plane, domain</source>
        <translation>z-Ebene, Definitionsbereich</translation>
    </message>
    <message>
        <source>Drag to draw a path; its image under f is drawn in the range. Arrow keys pan, + and - zoom. The value is the pointer&apos;s z.</source>
        <translation>Ziehen zeichnet einen Pfad; sein Bild unter f erscheint im Bildbereich. Pfeiltasten verschieben, + und - zoomen. Der Wert ist das z des Zeigers.</translation>
    </message>
    <message>
        <source>w-plane, range</source>
        <translation>w-Ebene, Bildbereich</translation>
    </message>
    <message>
        <source>The images of the domain&apos;s paths and grid under f. Arrow keys pan, + and - zoom. The value is f(z) at the pointer.</source>
        <translation>Die Bilder der Pfade und des Gitters des Definitionsbereichs unter f. Pfeiltasten verschieben, + und - zoomen. Der Wert ist f(z) am Zeiger.</translation>
    </message>
</context>
<context>
    <name>zw::ParameterDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>zw::ParametersDock</name>
    <message>
        <source>Parameters</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>f has no parameters. Type a formula with free names, such as z^2 + a, or turn on Function &gt; Morph from Identity.</source>
        <translation>f hat keine Parameter. Geben Sie eine Formel mit freien Namen ein, etwa z^2 + a, oder schalten Sie Funktion &gt; Überblenden von der Identität ein.</translation>
    </message>
    <message>
        <source>value of %1</source>
        <translation>Wert von %1</translation>
    </message>
    <message>
        <source>Im</source>
        <translation>Im</translation>
    </message>
    <message>
        <source>The slider&apos;s left end</source>
        <translation>Das linke Ende des Schiebereglers</translation>
    </message>
    <message>
        <source>The slider&apos;s right end</source>
        <translation>Das rechte Ende des Schiebereglers</translation>
    </message>
    <message>
        <source>Complex</source>
        <translation>Komplex</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>Schleife</translation>
    </message>
    <message>
        <source>Bounce</source>
        <translation>Hin und zurück</translation>
    </message>
    <message>
        <source> /s</source>
        <translation> /s</translation>
    </message>
    <message>
        <source>Play&apos;s speed: ranges per second</source>
        <translation>Geschwindigkeit beim Abspielen: Bereiche pro Sekunde</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>The ends of the range are two different real numbers.</source>
        <translation>Die Enden des Bereichs sind zwei verschiedene reelle Zahlen.</translation>
    </message>
</context>
<context>
    <name>zw::QtColorPanel</name>
    <message>
        <source>Colours</source>
        <translation>Farben</translation>
    </message>
</context>
<context>
    <name>zw::RecoveryKeeper</name>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Restore the unsaved work from %1?</source>
        <translation>Die ungesicherte Arbeit von %1 wiederherstellen?</translation>
    </message>
    <message>
        <source>zwmap did not quit properly, and the changes to %1 had not been saved. Restore opens them as they were then, still to be saved; Discard deletes them.</source>
        <translation>zwmap wurde nicht ordnungsgemäß beendet, und die Änderungen an %1 waren nicht gespeichert. „Wiederherstellen“ öffnet sie so, wie sie damals waren, noch zu speichern; „Verwerfen“ löscht sie.</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
</context>
<context>
    <name>zw::SessionActions</name>
    <message>
        <source>zwmap sessions (*.zwmap)</source>
        <translation>zwmap-Sitzungen (*.zwmap)</translation>
    </message>
    <message>
        <source>Open Session</source>
        <translation>Sitzung öffnen</translation>
    </message>
    <message>
        <source>Save Session</source>
        <translation>Sitzung speichern</translation>
    </message>
    <message>
        <source>Export Picture</source>
        <translation>Bild exportieren</translation>
    </message>
    <message>
        <source>SVG drawing (*.svg)</source>
        <translation>SVG-Zeichnung (*.svg)</translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation>PNG-Bild (*.png)</translation>
    </message>
</context>
<context>
    <name>zw::ShapeDialog</name>
    <message>
        <source>Add Circle</source>
        <translation>Kreis hinzufügen</translation>
    </message>
    <message>
        <source>Add Line</source>
        <translation>Strecke hinzufügen</translation>
    </message>
    <message>
        <source>Centre, real part</source>
        <translation>Mittelpunkt, Realteil</translation>
    </message>
    <message>
        <source>Centre, imaginary part</source>
        <translation>Mittelpunkt, Imaginärteil</translation>
    </message>
    <message>
        <source>Radius</source>
        <translation>Radius</translation>
    </message>
    <message>
        <source>Start, real part</source>
        <translation>Anfang, Realteil</translation>
    </message>
    <message>
        <source>Start, imaginary part</source>
        <translation>Anfang, Imaginärteil</translation>
    </message>
    <message>
        <source>End, real part</source>
        <translation>Ende, Realteil</translation>
    </message>
    <message>
        <source>End, imaginary part</source>
        <translation>Ende, Imaginärteil</translation>
    </message>
</context>
<context>
    <name>zw::StatusText</name>
    <message>
        <source>f(z) is not finite anywhere in view: nothing to draw</source>
        <translation>f(z) ist nirgends im sichtbaren Bereich endlich: nichts zu zeichnen</translation>
    </message>
    <message>
        <source>zoom z %1  w %2</source>
        <translation>Zoom z %1  w %2</translation>
    </message>
    <message>
        <source>%1    1 preimage: %2</source>
        <translation>%1    1 Urbild: %2</translation>
    </message>
    <message>
        <source>%1    %2 preimages: %3</source>
        <translation>%1    %2 Urbilder: %3</translation>
    </message>
    <message>
        <source>undefined</source>
        <translation>undefiniert</translation>
    </message>
    <message>
        <source>z = %1    f(z) = %2</source>
        <translation>z = %1    f(z) = %2</translation>
    </message>
    <message>
        <source>w = %1    f⁻¹(w) = %2</source>
        <translation>w = %1    f⁻¹(w) = %2</translation>
    </message>
    <message>
        <source>w = %1</source>
        <translation>w = %1</translation>
    </message>
    <message>
        <source>%1 (%2 left out)</source>
        <translation>%1 (%2 weitere ausgelassen)</translation>
    </message>
    <message>
        <source>%1 (search incomplete)</source>
        <translation>%1 (Suche unvollständig)</translation>
    </message>
    <message>
        <source>zero of order %1 at %2</source>
        <translation>Nullstelle der Ordnung %1 bei %2</translation>
    </message>
    <message>
        <source>pole of order %1 at %2</source>
        <translation>Polstelle der Ordnung %1 bei %2</translation>
    </message>
    <message>
        <source>critical point of order %1 at %2</source>
        <translation>kritischer Punkt der Ordnung %1 bei %2</translation>
    </message>
    <message>
        <source>critical value at %1</source>
        <translation>kritischer Wert bei %1</translation>
    </message>
    <message>
        <source>essential singularity at %1</source>
        <translation>wesentliche Singularität bei %1</translation>
    </message>
</context>
<context>
    <name>zw::WindowPreferences</name>
    <message>
        <source>Reset all settings?</source>
        <translation>Alle Einstellungen zurücksetzen?</translation>
    </message>
    <message>
        <source>The view options, Follow Curves Near Poles, the shading colours and resolution, the window&apos;s size and the export folder go back to how zwmap first starts. The paths stay.</source>
        <translation>Die Ansichtsoptionen, „Kurven nahe Polstellen folgen“, die Schattierungsfarben und die Auflösung, die Fenstergröße und der Exportordner kehren zum Stand beim ersten Start von zwmap zurück. Die Pfade bleiben.</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
</TS>
