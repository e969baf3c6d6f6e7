<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>BatchDriver</name>
    <message>
        <source>中断しました</source>
        <translation>Conversion aborted.</translation>
    </message>
    <message>
        <source>予期しないエラーのため変換できませんでした</source>
        <translation>An unexpected error occurred</translation>
    </message>
    <message>
        <source>予期しないエラーのため変換を中止しました</source>
        <translation>The conversion was stopped by an unexpected error.</translation>
    </message>
    <message>
        <source>処理済みのリストを削除しますか？</source>
        <translation>Remove the converted files from the list?</translation>
    </message>
    <message>
        <source>出力先の空き容量がなくなりました</source>
        <translation>The destination ran out of free space</translation>
    </message>
    <message>
        <source>出力ファイルが途中で切れています（空き容量を確認してください）</source>
        <translation>The output file is incomplete (check the free disk space)</translation>
    </message>
    <message>
        <source>音声データが見つかりませんでした</source>
        <translation>No audio data was found</translation>
    </message>
    <message>
        <source>出力ファイルが正しいWAVファイルではありません（デコーダを確認してください）</source>
        <translation>The output file is not a valid WAV file (check the decoder)</translation>
    </message>
    <message>
        <source>出力先が変換元と同じファイルです</source>
        <translation>The output is the source file itself</translation>
    </message>
    <message>
        <source>出力先に通常のファイルでないものがあります（削除するか別の出力先を選んでください）</source>
        <translation>Something other than a regular file is at the output path (remove it or choose another destination)</translation>
    </message>
    <message>
        <source>同じ名前の出力ファイルがこの変換で作成済みです</source>
        <translation>An earlier file of this batch already made a WAV file with this name</translation>
    </message>
    <message>
        <source>デコーダを起動できませんでした</source>
        <translation>The decoder could not be started</translation>
    </message>
    <message>
        <source>出力ファイルが作成されませんでした</source>
        <translation>No output file was created</translation>
    </message>
    <message>
        <source>同じ名前のファイルがあるため変換しませんでした</source>
        <translation>A file with the same name already exists</translation>
    </message>
    <message numerus="yes">
        <source>%n件のファイルを変換できませんでした</source>
        <translation>
            <numerusform>%n file could not be converted</numerusform>
            <numerusform>%n files could not be converted</numerusform>
        </translation>
    </message>
    <message>
        <source>変換中に出力先に同じ名前のファイルが作られました</source>
        <translation>Another program created a file with the same name while this one was being converted</translation>
    </message>
    <message numerus="yes">
        <source>%n件を変換しました</source>
        <translation>
            <numerusform>%n file converted</numerusform>
            <numerusform>%n files converted</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n件は同じ名前のファイルがあるため変換しませんでした</source>
        <translation>
            <numerusform>%n file skipped because a file with the same name exists</numerusform>
            <numerusform>%n files skipped because files with the same names exist</numerusform>
        </translation>
    </message>
    <message>
        <source>変換元ファイルが見つかりません</source>
        <translation>The source file was not found</translation>
    </message>
    <message>
        <source>出力ファイルを作れません</source>
        <translation>The output file cannot be created</translation>
    </message>
    <message numerus="yes">
        <source>同じ名前のWAVファイルになる項目が%n件あります。変換元のフォルダ構成を出力先に作って別々に保存しますか？</source>
        <translation>
            <numerusform>%n file would make a WAV file with the same name as another. Recreate the source folders in the destination to keep them apart?</numerusform>
            <numerusform>%n files would make WAV files with the same names. Recreate the source folders in the destination to keep them apart?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>出力先に同じ名前のファイルが%n件あります。上書きしますか？</source>
        <translation>
            <numerusform>%n WAV file already exists. Replace it?</numerusform>
            <numerusform>%n WAV files already exist. Replace them?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n件は中断したため変換していません</source>
        <translation>
            <numerusform>%n file not started because of the abort</numerusform>
            <numerusform>%n files not started because of the abort</numerusform>
        </translation>
    </message>
    <message>
        <source>MPEGオーディオとして読めません</source>
        <translation>Cannot be read as MPEG audio</translation>
    </message>
    <message>
        <source>デコーダが異常終了しました（シグナル%1）</source>
        <translation>The decoder crashed (signal %1)</translation>
    </message>
    <message>
        <source>デコーダが終了コード%1で終了しました</source>
        <translation>The decoder exited with code %1</translation>
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
        <translation>The source file is cut short (%2 of %1)</translation>
    </message>
    <message>
        <source>出力先フォルダの外を指すリンクがあるため書き込みません</source>
        <translation>Not written, as a link leads out of the destination folder</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>brindlecot: %1: ファイルもフォルダもありません
</source>
        <translation>brindlecot: %1: no such file or folder
</translation>
    </message>
    <message>
        <source>brindlecot: オプションの値が正しくありません: %1
</source>
        <translation>brindlecot: invalid value: %1
</translation>
    </message>
    <message>
        <source>brindlecot: 変換するファイルかフォルダを指定してください
</source>
        <translation>brindlecot: name the files or folders to convert
</translation>
    </message>
    <message>
        <source>brindlecot: 不明なオプションです: %1
</source>
        <translation>brindlecot: unknown option: %1
</translation>
    </message>
    <message>
        <source>詳しくは「brindlecot --help」を実行してください
</source>
        <translation>Try &apos;brindlecot --help&apos; for more information.
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
        <translation>Usage: brindlecot [OPTION] [FILE|FOLDER]...
  or:  brindlecot --convert [CONVERSION OPTION]... FILE|FOLDER...
Converts MPEG Audio files (.mpa .mp2 .mp3) to WAV with lame.
The files and folders named are added to the conversion list as a drop of them would be.
With --convert they are converted without a window, and the program exits.

  -h, --help     show this help and exit
  -V, --version  show the version and exit
  --             treat every later argument as a file name

Conversion options:
  -t, --to FOLDER      where the WAV files go (else beside their sources)
      --replace        replace files of the same name at the destination
      --flat           do not keep same-named WAV files apart: only the first is made
      --no-subfolders  do not search the folders&apos; subfolders
      --no-tags        leave the sources&apos; tags out of the WAV files
  -j, --jobs N         files converted at once (default 1; 0: one per core)
  -q, --quiet          tell only the files left without a WAV file
</translation>
    </message>
</context>
<context>
    <name>ConsoleBatch</name>
    <message>
        <source>MPEGオーディオをWAVに変換しています</source>
        <translation>Converting MPEG audio to WAV</translation>
    </message>
    <message>
        <source>変換しました</source>
        <translation>converted</translation>
    </message>
    <message>
        <source>[%1/%2] %3 %4% (全体 %5%、残り %6)</source>
        <translation>[%1/%2] %3 %4% (overall %5%, %6 left)</translation>
    </message>
    <message>
        <source>brindlecot: %1: フォルダがありません
</source>
        <translation>brindlecot: %1: no such folder
</translation>
    </message>
    <message>
        <source>[%1/%2] %3：%4
</source>
        <translation>[%1/%2] %3: %4
</translation>
    </message>
    <message>
        <source>brindlecot: 変換するMPEGオーディオファイルがありません
</source>
        <translation>brindlecot: no MPEG audio files to convert
</translation>
    </message>
</context>
<context>
    <name>FolderDialog</name>
    <message>
        <source>フォルダを選択して下さい。</source>
        <translation>Choose a folder.</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1 ディレクトリは存在しません</source>
        <translation>The folder %1 does not exist.</translation>
    </message>
    <message>
        <source>フォルダ</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>フォルダ名</source>
        <translation>Folder name</translation>
    </message>
</context>
<context>
    <name>InstanceLink</name>
    <message>
        <source>brindlecot: 途中で切れた引き継ぎを捨てました
</source>
        <translation>brindlecot: dropped a hand-over that broke off before its end
</translation>
    </message>
    <message>
        <source>brindlecot: 時間内に届かなかった引き継ぎを捨てました
</source>
        <translation>brindlecot: dropped a hand-over that did not arrive in time
</translation>
    </message>
    <message>
        <source>brindlecot: %1バイトを超える引き継ぎを捨てました
</source>
        <translation>brindlecot: dropped a hand-over of more than %1 bytes
</translation>
    </message>
</context>
<context>
    <name>MpegHeader</name>
    <message>
        <source>MPEGオーディオのフレームヘッダが見つかりません</source>
        <translation>No MPEG audio frame header found</translation>
    </message>
    <message>
        <source>ビットレート不明 </source>
        <translation>Bitrate unknown </translation>
    </message>
    <message>
        <source>ファイルを開けません</source>
        <translation>Cannot open the file</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>ファイルを読めません</source>
        <translation>Cannot read the file</translation>
    </message>
    <message>
        <source>VBRかもしれません</source>
        <translation>This may be a VBR file.</translation>
    </message>
</context>
<context>
    <name>ProcessingList</name>
    <message>
        <source>処理リスト(mpa,mp2,mp3)</source>
        <translation>Conversion list (.mpa, .mp2, .mp3)</translation>
    </message>
    <message>
        <source>処理待ち</source>
        <translation>To do</translation>
    </message>
    <message>
        <source>処理中</source>
        <translation>Doing</translation>
    </message>
    <message>
        <source>処理済み</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>失敗</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>保留</source>
        <translation>Skipped</translation>
    </message>
</context>
<context>
    <name>QtBoxes</name>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>通常のファイルではありません</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>設定ファイルを読めません</source>
        <translation>Cannot read the settings file</translation>
    </message>
    <message>
        <source>設定ファイルを書けません</source>
        <translation>Cannot write the settings file</translation>
    </message>
    <message>
        <source>設定フォルダを作れません</source>
        <translation>Cannot create the settings folder</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>変換元フォルダ</source>
        <translation>Source folder</translation>
    </message>
    <message>
        <source>選択</source>
        <translation>Pick</translation>
    </message>
    <message>
        <source>変換</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>Abort</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>変換先フォルダ</source>
        <translation>Destination folder</translation>
    </message>
    <message>
        <source>処理/選択中のMPEG Audio情報</source>
        <translation>MPEG Audio information of the current or selected file</translation>
    </message>
    <message>
        <source>出力状況</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>全体の進捗</source>
        <translation>Overall</translation>
    </message>
    <message>
        <source>個別の進捗</source>
        <translation>This file</translation>
    </message>
    <message>
        <source>複数のファイルを同時に変換する</source>
        <translation>Convert several files at once</translation>
    </message>
    <message>
        <source>常に前面に表示する</source>
        <translation>Always on top</translation>
    </message>
    <message>
        <source>このウィンドウを他のウィンドウより前面に表示します</source>
        <translation>Keeps this window above other windows</translation>
    </message>
    <message>
        <source>CPUのコアの数までのファイルを同時に変換します。変換中は変えられません</source>
        <translation>Converts as many files at once as the processor has cores; cannot be changed during a conversion</translation>
    </message>
    <message>
        <source>変換するファイルを探すフォルダ</source>
        <translation>The folder where files to convert are looked for</translation>
    </message>
    <message>
        <source>選択した変換元フォルダ</source>
        <translation>The chosen source folder</translation>
    </message>
    <message>
        <source>変換元フォルダを選ぶダイアログを開きます</source>
        <translation>Opens a dialog to choose the source folder</translation>
    </message>
    <message>
        <source>変換元のファイル</source>
        <translation>Source files</translation>
    </message>
    <message>
        <source>変換元フォルダのMPEG Audioファイル。ダブルクリックかEnterで処理リストに追加します</source>
        <translation>MPEG Audio files of the source folder. Double-click or Enter adds one to the conversion list</translation>
    </message>
    <message>
        <source>処理リスト</source>
        <translation>Conversion list</translation>
    </message>
    <message>
        <source>変換するファイルと状態。Deleteキーで選択した項目を削除します</source>
        <translation>Files to convert and their state. Delete removes the selected items</translation>
    </message>
    <message>
        <source>処理リストのファイルをすべてWAVに変換します</source>
        <translation>Converts every file of the conversion list to WAV</translation>
    </message>
    <message>
        <source>変換中のファイルが終わったところで変換を中断します</source>
        <translation>Stops converting once the current file is done</translation>
    </message>
    <message>
        <source>リスト内をクリアします</source>
        <translation>Clears the list</translation>
    </message>
    <message>
        <source>処理待ちのアイコン</source>
        <translation>To-do icon</translation>
    </message>
    <message>
        <source>処理中のアイコン</source>
        <translation>In-progress icon</translation>
    </message>
    <message>
        <source>処理済みのアイコン</source>
        <translation>Done icon</translation>
    </message>
    <message>
        <source>WAVファイルを書き出すフォルダ</source>
        <translation>The folder the WAV files are written to</translation>
    </message>
    <message>
        <source>空のときは変換元と同じフォルダに書き出します</source>
        <translation>When empty, files are written beside their sources</translation>
    </message>
    <message>
        <source>変換先フォルダを選ぶダイアログを開きます</source>
        <translation>Opens a dialog to choose the destination folder</translation>
    </message>
    <message>
        <source>処理中または選択中のファイルの情報</source>
        <translation>About the file being converted or selected</translation>
    </message>
    <message>
        <source>時間、バージョン、レイヤー、周波数、ビットレート、モード</source>
        <translation>Duration, version, layer, sample rate, bitrate, mode</translation>
    </message>
    <message>
        <source>変換の進み具合</source>
        <translation>Conversion progress</translation>
    </message>
    <message>
        <source>処理リスト全体の変換の進み具合</source>
        <translation>Progress through the whole conversion list</translation>
    </message>
    <message>
        <source>変換中のファイルの進み具合</source>
        <translation>Progress of the file being converted</translation>
    </message>
    <message>
        <source>変換中のファイルの出力先</source>
        <translation>Where the file being converted is written</translation>
    </message>
    <message>
        <source>出力ファイルの現在の大きさ</source>
        <translation>The output file size so far</translation>
    </message>
    <message>
        <source>クリックでホームページを開きます</source>
        <translation>Click to open the home page</translation>
    </message>
    <message>
        <source>brindlecotがあるフォルダかPATHにlameを置いてください</source>
        <translation>Put lame in brindlecot&apos;s folder or on the PATH.</translation>
    </message>
    <message>
        <source>ダブルクリックで処理リスト追加</source>
        <translation>Double-click to add to the conversion list</translation>
    </message>
    <message>
        <source>エクスプローラからD&amp;Dでも追加できます</source>
        <translation>Files can also be dropped here from the file manager</translation>
    </message>
    <message>
        <source>処理リストにフォルダをドロップした時にサブフォルダも検索する</source>
        <translation>Also search subfolders of folders dropped on the list</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>%1がありません。<byte value="xd"/>
</source>
        <translation>%1 is missing.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>出力先フォルダを開く</source>
        <translation>Open output folder</translation>
    </message>
    <message>
        <source>変換が終わりました</source>
        <translation>Conversion finished</translation>
    </message>
    <message>
        <source>再生できるプログラムが見つかりません</source>
        <translation>No program to play this file was found.</translation>
    </message>
    <message>
        <source>このデスクトップ（Wayland）では、ここからは設定できません。ウィンドウメニューの「常に最前面」（Keep Above）を使ってください</source>
        <translation>This desktop (Wayland) does not let a program keep its window on top. Use the window menu&apos;s &quot;Always on Top&quot; (Keep Above) instead</translation>
    </message>
    <message>
        <source>MPEGオーディオをWAVに変換しています</source>
        <translation>Converting MPEG audio to WAV</translation>
    </message>
    <message>
        <source>MPEG Audio → WAV変換</source>
        <translation>MPEG Audio → WAV</translation>
    </message>
    <message>
        <source>これから変換する項目</source>
        <translation>Files still to convert</translation>
    </message>
    <message>
        <source>変換している項目</source>
        <translation>Files being converted</translation>
    </message>
    <message>
        <source>変換できた項目</source>
        <translation>Files converted</translation>
    </message>
    <message>
        <source>変換できなかった項目。理由はその項目のヒントにあります</source>
        <translation>Files that could not be converted; point at one to see why</translation>
    </message>
    <message>
        <source>同じ名前のファイルがあるため変換しなかった項目。次の変換でまた試します</source>
        <translation>Files skipped because a file with the same name exists; the next conversion tries them again</translation>
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
        <translation>Could not write the tags (%1)</translation>
    </message>
</context>
</TS>
