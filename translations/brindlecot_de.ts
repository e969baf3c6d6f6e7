<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="ja">
<context>
    <name>BatchDriver</name>
    <message numerus="yes">
        <source>%n件を変換しました</source>
        <translation>
            <numerusform>%n Datei umgewandelt</numerusform>
            <numerusform>%n Dateien umgewandelt</numerusform>
        </translation>
    </message>
    <message>
        <source>処理済みのリストを削除しますか？</source>
        <translation>Die umgewandelten Dateien aus der Liste entfernen?</translation>
    </message>
    <message numerus="yes">
        <source>同じ名前のWAVファイルになる項目が%n件あります。変換元のフォルダ構成を出力先に作って別々に保存しますか？</source>
        <translation>
            <numerusform>%n Datei ergäbe eine WAV-Datei gleichen Namens wie eine andere. Die Quellordner im Ziel nachbilden, um sie getrennt zu halten?</numerusform>
            <numerusform>%n Dateien ergäben WAV-Dateien gleichen Namens. Die Quellordner im Ziel nachbilden, um sie getrennt zu halten?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>出力先に同じ名前のファイルが%n件あります。上書きしますか？</source>
        <translation>
            <numerusform>%n WAV-Datei ist schon vorhanden. Ersetzen?</numerusform>
            <numerusform>%n WAV-Dateien sind schon vorhanden. Ersetzen?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n件は同じ名前のファイルがあるため変換しませんでした</source>
        <translation>
            <numerusform>%n Datei übersprungen, weil eine Datei mit demselben Namen existiert</numerusform>
            <numerusform>%n Dateien übersprungen, weil Dateien mit denselben Namen existieren</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n件のファイルを変換できませんでした</source>
        <translation>
            <numerusform>%n Datei konnte nicht umgewandelt werden</numerusform>
            <numerusform>%n Dateien konnten nicht umgewandelt werden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n件は中断したため変換していません</source>
        <translation>
            <numerusform>%n Datei wegen des Abbruchs nicht umgewandelt</numerusform>
            <numerusform>%n Dateien wegen des Abbruchs nicht umgewandelt</numerusform>
        </translation>
    </message>
    <message>
        <source>予期しないエラーのため変換できませんでした</source>
        <translation>Ein unerwarteter Fehler ist aufgetreten</translation>
    </message>
    <message>
        <source>予期しないエラーのため変換を中止しました</source>
        <translation>Die Umwandlung wurde wegen eines unerwarteten Fehlers abgebrochen.</translation>
    </message>
    <message>
        <source>中断しました</source>
        <translation>Umwandlung abgebrochen.</translation>
    </message>
    <message>
        <source>変換中に出力先に同じ名前のファイルが作られました</source>
        <translation>Während der Umwandlung hat ein anderes Programm eine Datei mit demselben Namen angelegt</translation>
    </message>
    <message>
        <source>同じ名前のファイルがあるため変換しませんでした</source>
        <translation>Eine Datei mit demselben Namen ist schon vorhanden</translation>
    </message>
    <message>
        <source>出力先の空き容量がなくなりました</source>
        <translation>Am Ziel ist kein Speicherplatz mehr frei</translation>
    </message>
    <message>
        <source>出力ファイルが途中で切れています（空き容量を確認してください）</source>
        <translation>Die Ausgabedatei ist unvollständig (freien Speicherplatz prüfen)</translation>
    </message>
    <message>
        <source>音声データが見つかりませんでした</source>
        <translation>Keine Audiodaten gefunden</translation>
    </message>
    <message>
        <source>出力ファイルが正しいWAVファイルではありません（デコーダを確認してください）</source>
        <translation>Die Ausgabedatei ist keine gültige WAV-Datei (Decoder prüfen)</translation>
    </message>
    <message>
        <source>変換元ファイルが見つかりません</source>
        <translation>Die Quelldatei wurde nicht gefunden</translation>
    </message>
    <message>
        <source>MPEGオーディオとして読めません</source>
        <translation>Nicht als MPEG-Audio lesbar</translation>
    </message>
    <message>
        <source>出力ファイルを作れません</source>
        <translation>Die Ausgabedatei lässt sich nicht anlegen</translation>
    </message>
    <message>
        <source>デコーダを起動できませんでした</source>
        <translation>Der Decoder konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>デコーダが異常終了しました（シグナル%1）</source>
        <translation>Der Decoder ist abgestürzt (Signal %1)</translation>
    </message>
    <message>
        <source>デコーダが終了コード%1で終了しました</source>
        <translation>Der Decoder endete mit Code %1</translation>
    </message>
    <message>
        <source>出力ファイルが作成されませんでした</source>
        <translation>Es wurde keine Ausgabedatei erzeugt</translation>
    </message>
    <message>
        <source>同じ名前の出力ファイルがこの変換で作成済みです</source>
        <translation>Eine frühere Datei dieser Umwandlung hat schon eine WAV-Datei dieses Namens erzeugt</translation>
    </message>
    <message>
        <source>出力先が変換元と同じファイルです</source>
        <translation>Die Ausgabe ist die Quelldatei selbst</translation>
    </message>
    <message>
        <source>出力先に通常のファイルでないものがあります（削除するか別の出力先を選んでください）</source>
        <translation>Am Ausgabepfad liegt etwas anderes als eine normale Datei (entfernen oder ein anderes Ziel wählen)</translation>
    </message>
    <message>
        <source>%1秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1分%2秒</source>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>元のファイルが途中で切れています（%1のうち%2）</source>
        <translation>Die Quelldatei ist abgeschnitten (%2 von %1)</translation>
    </message>
    <message>
        <source>出力先フォルダの外を指すリンクがあるため書き込みません</source>
        <translation>Nicht geschrieben, da ein Link aus dem Zielordner hinausführt</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>brindlecot: %1: ファイルもフォルダもありません
</source>
        <translation>brindlecot: %1: Datei oder Ordner nicht vorhanden
</translation>
    </message>
    <message>
        <source>brindlecot: オプションの値が正しくありません: %1
</source>
        <translation>brindlecot: ungültiger Wert: %1
</translation>
    </message>
    <message>
        <source>brindlecot: 変換するファイルかフォルダを指定してください
</source>
        <translation>brindlecot: die umzuwandelnden Dateien oder Ordner angeben
</translation>
    </message>
    <message>
        <source>brindlecot: 不明なオプションです: %1
</source>
        <translation>brindlecot: unbekannte Option: %1
</translation>
    </message>
    <message>
        <source>詳しくは「brindlecot --help」を実行してください
</source>
        <translation>Weitere Informationen mit „brindlecot --help“.
</translation>
    </message>
    <message>
        <source>使い方: brindlecot [オプション] [ファイル|フォルダ]...
  または brindlecot --convert [変換オプション] ファイル|フォルダ...
MPEG Audioファイル(.mpa .mp2 .mp3)をlameでWAVに変換します。
指定したファイルとフォルダは、ドロップした時と同じように処理リストに追加します。
--convertでは、ウィンドウを開かずにそれらを変換して終了します。

  -h, --help     この説明を表示して終了する
  -V, --version  バージョンを表示して終了する
  --             これ以降の引数をすべてファイル名として扱う

変換オプション:
  -t, --to フォルダ    WAVファイルの出力先(指定しなければ変換元と同じフォルダ)
      --replace        出力先にある同じ名前のファイルを上書きする
      --flat           同名のWAVファイルを変換元のフォルダ構成で分けず、最初のものだけ保存する
      --no-subfolders  フォルダのサブフォルダを検索しない
      --no-tags        変換元のタグをWAVファイルに書き込まない
  -j, --jobs N         同時に変換するファイルの数(既定は1、0はCPUのコア数)
  -q, --quiet          WAVファイルにならなかったファイルだけを表示する
</source>
        <translation>Aufruf: brindlecot [OPTION] [DATEI|ORDNER]...
  oder: brindlecot --convert [UMWANDLUNGSOPTION]... DATEI|ORDNER...
Wandelt MPEG-Audio-Dateien (.mpa .mp2 .mp3) mit lame in WAV um.
Die genannten Dateien und Ordner kommen in die Umwandlungsliste, als wären sie dort abgelegt worden.
Mit --convert werden sie ohne Fenster umgewandelt, dann endet das Programm.

  -h, --help     diese Hilfe zeigen und beenden
  -V, --version  die Version zeigen und beenden
  --             alle weiteren Argumente als Dateinamen behandeln

Umwandlungsoptionen:
  -t, --to ORDNER      wohin die WAV-Dateien kommen (sonst neben ihre Quellen)
      --replace        gleichnamige Dateien am Ziel ersetzen
      --flat           gleichnamige WAV-Dateien nicht trennen: nur die erste entsteht
      --no-subfolders  die Unterordner der Ordner nicht durchsuchen
      --no-tags        die Tags der Quellen nicht in die WAV-Dateien schreiben
  -j, --jobs N         gleichzeitig umgewandelte Dateien (Vorgabe 1; 0: eine je Kern)
  -q, --quiet          nur die Dateien nennen, die ohne WAV-Datei bleiben
</translation>
    </message>
</context>
<context>
    <name>ConsoleBatch</name>
    <message>
        <source>MPEGオーディオをWAVに変換しています</source>
        <translation>MPEG-Audio wird in WAV umgewandelt</translation>
    </message>
    <message>
        <source>変換しました</source>
        <translation>umgewandelt</translation>
    </message>
    <message>
        <source>[%1/%2] %3：%4
</source>
        <translation>[%1/%2] %3: %4
</translation>
    </message>
    <message>
        <source>[%1/%2] %3 %4% (全体 %5%、残り %6)</source>
        <translation>[%1/%2] %3 %4 % (gesamt %5 %, noch %6)</translation>
    </message>
    <message>
        <source>brindlecot: %1: フォルダがありません
</source>
        <translation>brindlecot: %1: Ordner nicht vorhanden
</translation>
    </message>
    <message>
        <source>brindlecot: 変換するMPEGオーディオファイルがありません
</source>
        <translation>brindlecot: keine MPEG-Audio-Dateien zum Umwandeln
</translation>
    </message>
</context>
<context>
    <name>FolderDialog</name>
    <message>
        <source>フォルダ</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>フォルダを選択して下さい。</source>
        <translation>Wählen Sie einen Ordner.</translation>
    </message>
    <message>
        <source>フォルダ名</source>
        <translation>Ordnername</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>%1 ディレクトリは存在しません</source>
        <translation>Der Ordner %1 existiert nicht.</translation>
    </message>
</context>
<context>
    <name>InstanceLink</name>
    <message>
        <source>brindlecot: 途中で切れた引き継ぎを捨てました
</source>
        <translation>brindlecot: abgebrochene Übergabe verworfen
</translation>
    </message>
    <message>
        <source>brindlecot: 時間内に届かなかった引き継ぎを捨てました
</source>
        <translation>brindlecot: nicht rechtzeitig eingetroffene Übergabe verworfen
</translation>
    </message>
    <message>
        <source>brindlecot: %1バイトを超える引き継ぎを捨てました
</source>
        <translation>brindlecot: Übergabe von mehr als %1 Bytes verworfen
</translation>
    </message>
</context>
<context>
    <name>MpegHeader</name>
    <message>
        <source>MPEGオーディオのフレームヘッダが見つかりません</source>
        <translation>Kein MPEG-Audio-Framekopf gefunden</translation>
    </message>
    <message>
        <source>ビットレート不明 </source>
        <translation>Bitrate unbekannt </translation>
    </message>
    <message>
        <source>ファイルを開けません</source>
        <translation>Die Datei lässt sich nicht öffnen</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>keine normale Datei</translation>
    </message>
    <message>
        <source>ファイルを読めません</source>
        <translation>Die Datei lässt sich nicht lesen</translation>
    </message>
    <message>
        <source>VBRかもしれません</source>
        <translation>Dies ist vielleicht eine VBR-Datei.</translation>
    </message>
</context>
<context>
    <name>ProcessingList</name>
    <message>
        <source>処理待ち</source>
        <translation>Wartet</translation>
    </message>
    <message>
        <source>処理中</source>
        <translation>Läuft</translation>
    </message>
    <message>
        <source>処理済み</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>失敗</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message>
        <source>保留</source>
        <translation>Übersprungen</translation>
    </message>
    <message>
        <source>処理リスト(mpa,mp2,mp3)</source>
        <translation>Umwandlungsliste (.mpa, .mp2, .mp3)</translation>
    </message>
</context>
<context>
    <name>QtBoxes</name>
    <message>
        <source>確認</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;Nein</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>通常のファイルではありません</source>
        <translation>keine normale Datei</translation>
    </message>
    <message>
        <source>設定ファイルを書けません</source>
        <translation>Die Einstellungsdatei lässt sich nicht schreiben</translation>
    </message>
    <message>
        <source>設定ファイルを読めません</source>
        <translation>Die Einstellungsdatei lässt sich nicht lesen</translation>
    </message>
    <message>
        <source>設定フォルダを作れません</source>
        <translation>Der Einstellungsordner lässt sich nicht anlegen</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>brindlecotがあるフォルダかPATHにlameを置いてください</source>
        <translation>Legen Sie lame in den Ordner von brindlecot oder in den PATH.</translation>
    </message>
    <message>
        <source>%1がありません。<byte value="xd"/>
</source>
        <translation>%1 fehlt.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>MPEGオーディオをWAVに変換しています</source>
        <translation>MPEG-Audio wird in WAV umgewandelt</translation>
    </message>
    <message>
        <source>変換が終わりました</source>
        <translation>Umwandlung beendet</translation>
    </message>
    <message>
        <source>再生できるプログラムが見つかりません</source>
        <translation>Kein Programm zum Abspielen dieser Datei gefunden.</translation>
    </message>
    <message>
        <source>複数のファイルを同時に変換する</source>
        <translation>Mehrere Dateien parallel umwandeln</translation>
    </message>
    <message>
        <source>常に前面に表示する</source>
        <translation>Immer oben</translation>
    </message>
    <message>
        <source>このデスクトップ（Wayland）では、ここからは設定できません。ウィンドウメニューの「常に最前面」（Keep Above）を使ってください</source>
        <translation>Dieser Desktop (Wayland) lässt Programme ihr Fenster nicht selbst im Vordergrund halten. Stattdessen „Immer im Vordergrund“ (Keep Above) im Fenstermenü verwenden</translation>
    </message>
    <message>
        <source>変換元フォルダ</source>
        <translation>Quellordner</translation>
    </message>
    <message>
        <source>選択</source>
        <translation>…</translation>
    </message>
    <message>
        <source>ダブルクリックで処理リスト追加</source>
        <translation>Doppelklick fügt zur Umwandlungsliste hinzu</translation>
    </message>
    <message>
        <source>エクスプローラからD&amp;Dでも追加できます</source>
        <translation>Dateien lassen sich auch aus der Dateiverwaltung hierher ziehen</translation>
    </message>
    <message>
        <source>変換</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>Stoppen</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>リスト内をクリアします</source>
        <translation>Leert die Liste</translation>
    </message>
    <message>
        <source>処理リストにフォルダをドロップした時にサブフォルダも検索する</source>
        <translation>Bei abgelegten Ordnern auch Unterordner durchsuchen</translation>
    </message>
    <message>
        <source>変換先フォルダ</source>
        <translation>Zielordner</translation>
    </message>
    <message>
        <source>処理/選択中のMPEG Audio情報</source>
        <translation>MPEG-Audio-Angaben der laufenden oder gewählten Datei</translation>
    </message>
    <message>
        <source>出力状況</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>全体の進捗</source>
        <translation>Gesamt</translation>
    </message>
    <message>
        <source>個別の進捗</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>MPEG Audio → WAV変換</source>
        <translation>MPEG Audio → WAV</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>出力先フォルダを開く</source>
        <translation>Ausgabeordner öffnen</translation>
    </message>
    <message>
        <source>これから変換する項目</source>
        <translation>Noch umzuwandelnde Dateien</translation>
    </message>
    <message>
        <source>変換している項目</source>
        <translation>Dateien, die gerade umgewandelt werden</translation>
    </message>
    <message>
        <source>変換できた項目</source>
        <translation>Umgewandelte Dateien</translation>
    </message>
    <message>
        <source>変換できなかった項目。理由はその項目のヒントにあります</source>
        <translation>Dateien, die nicht umgewandelt werden konnten; der Hinweis einer Datei nennt den Grund</translation>
    </message>
    <message>
        <source>同じ名前のファイルがあるため変換しなかった項目。次の変換でまた試します</source>
        <translation>Dateien, die wegen einer gleichnamigen Datei übersprungen wurden; die nächste Umwandlung versucht sie erneut</translation>
    </message>
    <message>
        <source>変換元のファイル</source>
        <translation>Quelldateien</translation>
    </message>
    <message>
        <source>処理リスト</source>
        <translation>Umwandlungsliste</translation>
    </message>
    <message>
        <source>処理待ちのアイコン</source>
        <translation>Symbol „Wartet“</translation>
    </message>
    <message>
        <source>処理中のアイコン</source>
        <translation>Symbol „Läuft“</translation>
    </message>
    <message>
        <source>処理済みのアイコン</source>
        <translation>Symbol „Fertig“</translation>
    </message>
    <message>
        <source>このウィンドウを他のウィンドウより前面に表示します</source>
        <translation>Hält dieses Fenster über anderen Fenstern</translation>
    </message>
    <message>
        <source>CPUのコアの数までのファイルを同時に変換します。変換中は変えられません</source>
        <translation>Wandelt so viele Dateien gleichzeitig um, wie der Prozessor Kerne hat; während einer Umwandlung nicht änderbar</translation>
    </message>
    <message>
        <source>変換するファイルを探すフォルダ</source>
        <translation>Der Ordner, in dem umzuwandelnde Dateien gesucht werden</translation>
    </message>
    <message>
        <source>選択した変換元フォルダ</source>
        <translation>Der gewählte Quellordner</translation>
    </message>
    <message>
        <source>変換元フォルダを選ぶダイアログを開きます</source>
        <translation>Öffnet einen Dialog zur Wahl des Quellordners</translation>
    </message>
    <message>
        <source>変換元フォルダのMPEG Audioファイル。ダブルクリックかEnterで処理リストに追加します</source>
        <translation>MPEG-Audio-Dateien des Quellordners. Doppelklick oder Eingabetaste fügt eine der Umwandlungsliste hinzu</translation>
    </message>
    <message>
        <source>変換するファイルと状態。Deleteキーで選択した項目を削除します</source>
        <translation>Umzuwandelnde Dateien und ihr Zustand. Entf entfernt die gewählten Einträge</translation>
    </message>
    <message>
        <source>処理リストのファイルをすべてWAVに変換します</source>
        <translation>Wandelt alle Dateien der Umwandlungsliste in WAV um</translation>
    </message>
    <message>
        <source>変換中のファイルが終わったところで変換を中断します</source>
        <translation>Bricht die Umwandlung ab, sobald die laufende Datei fertig ist</translation>
    </message>
    <message>
        <source>WAVファイルを書き出すフォルダ</source>
        <translation>Der Ordner, in den die WAV-Dateien geschrieben werden</translation>
    </message>
    <message>
        <source>空のときは変換元と同じフォルダに書き出します</source>
        <translation>Wenn leer, kommen die Dateien neben ihre Quellen</translation>
    </message>
    <message>
        <source>変換先フォルダを選ぶダイアログを開きます</source>
        <translation>Öffnet einen Dialog zur Wahl des Zielordners</translation>
    </message>
    <message>
        <source>処理中または選択中のファイルの情報</source>
        <translation>Angaben zur laufenden oder gewählten Datei</translation>
    </message>
    <message>
        <source>時間、バージョン、レイヤー、周波数、ビットレート、モード</source>
        <translation>Dauer, Version, Layer, Abtastrate, Bitrate, Modus</translation>
    </message>
    <message>
        <source>変換の進み具合</source>
        <translation>Fortschritt der Umwandlung</translation>
    </message>
    <message>
        <source>処理リスト全体の変換の進み具合</source>
        <translation>Fortschritt über die ganze Umwandlungsliste</translation>
    </message>
    <message>
        <source>変換中のファイルの進み具合</source>
        <translation>Fortschritt der laufenden Datei</translation>
    </message>
    <message>
        <source>変換中のファイルの出力先</source>
        <translation>Wohin die laufende Datei geschrieben wird</translation>
    </message>
    <message>
        <source>出力ファイルの現在の大きさ</source>
        <translation>Bisherige Größe der Ausgabedatei</translation>
    </message>
    <message>
        <source>クリックでホームページを開きます</source>
        <translation>Ein Klick öffnet die Website</translation>
    </message>
</context>
<context>
    <name>Text</name>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>WavTags</name>
    <message>
        <source>タグを書き込めませんでした（%1）</source>
        <translation>Die Tags konnten nicht geschrieben werden (%1)</translation>
    </message>
</context>
</TS>
