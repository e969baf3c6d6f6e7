<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="ja">
<context>
    <name>BatchDriver</name>
    <message numerus="yes">
        <source>%n件を変換しました</source>
        <translation>
            <numerusform>%n fichier converti</numerusform>
            <numerusform>%n fichiers convertis</numerusform>
        </translation>
    </message>
    <message>
        <source>処理済みのリストを削除しますか？</source>
        <translation>Retirer de la liste les fichiers convertis&#xa0;?</translation>
    </message>
    <message numerus="yes">
        <source>同じ名前のWAVファイルになる項目が%n件あります。変換元のフォルダ構成を出力先に作って別々に保存しますか？</source>
        <translation>
            <numerusform>%n fichier donnerait un fichier WAV du même nom qu’un autre. Recréer les dossiers sources dans la destination pour les séparer&#xa0;?</numerusform>
            <numerusform>%n fichiers donneraient des fichiers WAV de même nom. Recréer les dossiers sources dans la destination pour les séparer&#xa0;?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>出力先に同じ名前のファイルが%n件あります。上書きしますか？</source>
        <translation>
            <numerusform>%n fichier WAV existe déjà. Le remplacer&#xa0;?</numerusform>
            <numerusform>%n fichiers WAV existent déjà. Les remplacer&#xa0;?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n件は同じ名前のファイルがあるため変換しませんでした</source>
        <translation>
            <numerusform>%n fichier ignoré car un fichier du même nom existe</numerusform>
            <numerusform>%n fichiers ignorés car des fichiers du même nom existent</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n件のファイルを変換できませんでした</source>
        <translation>
            <numerusform>%n fichier n’a pas pu être converti</numerusform>
            <numerusform>%n fichiers n’ont pas pu être convertis</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n件は中断したため変換していません</source>
        <translation>
            <numerusform>%n fichier non converti à cause de l’interruption</numerusform>
            <numerusform>%n fichiers non convertis à cause de l’interruption</numerusform>
        </translation>
    </message>
    <message>
        <source>予期しないエラーのため変換できませんでした</source>
        <translation>Une erreur inattendue s’est produite</translation>
    </message>
    <message>
        <source>予期しないエラーのため変換を中止しました</source>
        <translation>La conversion a été interrompue par une erreur inattendue.</translation>
    </message>
    <message>
        <source>中断しました</source>
        <translation>Conversion interrompue.</translation>
    </message>
    <message>
        <source>変換中に出力先に同じ名前のファイルが作られました</source>
        <translation>Un autre programme a créé un fichier du même nom pendant la conversion</translation>
    </message>
    <message>
        <source>同じ名前のファイルがあるため変換しませんでした</source>
        <translation>Un fichier du même nom existe déjà</translation>
    </message>
    <message>
        <source>出力先の空き容量がなくなりました</source>
        <translation>Il n’y a plus d’espace libre à la destination</translation>
    </message>
    <message>
        <source>出力ファイルが途中で切れています（空き容量を確認してください）</source>
        <translation>Le fichier de sortie est incomplet (vérifiez l’espace libre)</translation>
    </message>
    <message>
        <source>音声データが見つかりませんでした</source>
        <translation>Aucune donnée audio trouvée</translation>
    </message>
    <message>
        <source>出力ファイルが正しいWAVファイルではありません（デコーダを確認してください）</source>
        <translation>Le fichier de sortie n’est pas un fichier WAV valide (vérifiez le décodeur)</translation>
    </message>
    <message>
        <source>変換元ファイルが見つかりません</source>
        <translation>Le fichier source est introuvable</translation>
    </message>
    <message>
        <source>MPEGオーディオとして読めません</source>
        <translation>Illisible en tant qu’audio MPEG</translation>
    </message>
    <message>
        <source>出力ファイルを作れません</source>
        <translation>Impossible de créer le fichier de sortie</translation>
    </message>
    <message>
        <source>デコーダを起動できませんでした</source>
        <translation>Le décodeur n’a pas pu être lancé</translation>
    </message>
    <message>
        <source>デコーダが異常終了しました（シグナル%1）</source>
        <translation>Le décodeur s’est arrêté brutalement (signal %1)</translation>
    </message>
    <message>
        <source>デコーダが終了コード%1で終了しました</source>
        <translation>Le décodeur s’est terminé avec le code %1</translation>
    </message>
    <message>
        <source>出力ファイルが作成されませんでした</source>
        <translation>Aucun fichier de sortie n’a été créé</translation>
    </message>
    <message>
        <source>同じ名前の出力ファイルがこの変換で作成済みです</source>
        <translation>Un fichier précédent de cette conversion a déjà produit un fichier WAV de ce nom</translation>
    </message>
    <message>
        <source>出力先が変換元と同じファイルです</source>
        <translation>La sortie est le fichier source lui-même</translation>
    </message>
    <message>
        <source>出力先に通常のファイルでないものがあります（削除するか別の出力先を選んでください）</source>
        <translation>Le chemin de sortie est occupé par autre chose qu’un fichier ordinaire (supprimez-le ou choisissez une autre destination)</translation>
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
        <translation>Le fichier source est tronqué (%2 sur %1)</translation>
    </message>
    <message>
        <source>出力先フォルダの外を指すリンクがあるため書き込みません</source>
        <translation>Non écrit, car un lien mène hors du dossier de destination</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>brindlecot: %1: ファイルもフォルダもありません
</source>
        <translation>brindlecot: %1: aucun fichier ni dossier de ce nom
</translation>
    </message>
    <message>
        <source>brindlecot: オプションの値が正しくありません: %1
</source>
        <translation>brindlecot: valeur incorrecte: %1
</translation>
    </message>
    <message>
        <source>brindlecot: 変換するファイルかフォルダを指定してください
</source>
        <translation>brindlecot: indiquez les fichiers ou dossiers à convertir
</translation>
    </message>
    <message>
        <source>brindlecot: 不明なオプションです: %1
</source>
        <translation>brindlecot: option inconnue: %1
</translation>
    </message>
    <message>
        <source>詳しくは「brindlecot --help」を実行してください
</source>
        <translation>Saisissez « brindlecot --help » pour plus d’informations.
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
        <translation>Usage : brindlecot [OPTION] [FICHIER|DOSSIER]...
  ou : brindlecot --convert [OPTION DE CONVERSION]... FICHIER|DOSSIER...
Convertit des fichiers MPEG Audio (.mpa .mp2 .mp3) en WAV avec lame.
Les fichiers et dossiers indiqués sont ajoutés à la liste de conversion comme s’ils y étaient déposés.
Avec --convert, ils sont convertis sans fenêtre, puis le programme se termine.

  -h, --help     afficher cette aide et quitter
  -V, --version  afficher la version et quitter
  --             traiter tous les arguments suivants comme des noms de fichiers

Options de conversion :
  -t, --to DOSSIER     où vont les fichiers WAV (sinon à côté de leurs sources)
      --replace        remplacer les fichiers du même nom dans la destination
      --flat           ne pas séparer les fichiers WAV de même nom : seul le premier est créé
      --no-subfolders  ne pas chercher dans les sous-dossiers
      --no-tags        ne pas copier les étiquettes des sources dans les fichiers WAV
  -j, --jobs N         fichiers convertis à la fois (1 par défaut ; 0 : un par cœur)
  -q, --quiet          n’afficher que les fichiers restés sans fichier WAV
</translation>
    </message>
</context>
<context>
    <name>ConsoleBatch</name>
    <message>
        <source>MPEGオーディオをWAVに変換しています</source>
        <translation>Conversion d’audio MPEG en WAV</translation>
    </message>
    <message>
        <source>変換しました</source>
        <translation>converti</translation>
    </message>
    <message>
        <source>[%1/%2] %3：%4
</source>
        <translation>[%1/%2] %3&#xa0;: %4
</translation>
    </message>
    <message>
        <source>[%1/%2] %3 %4% (全体 %5%、残り %6)</source>
        <translation>[%1/%2] %3 %4&#xa0;% (total %5&#xa0;%, reste %6)</translation>
    </message>
    <message>
        <source>brindlecot: %1: フォルダがありません
</source>
        <translation>brindlecot: %1: aucun dossier de ce nom
</translation>
    </message>
    <message>
        <source>brindlecot: 変換するMPEGオーディオファイルがありません
</source>
        <translation>brindlecot: aucun fichier audio MPEG à convertir
</translation>
    </message>
</context>
<context>
    <name>FolderDialog</name>
    <message>
        <source>フォルダ</source>
        <translation>Dossier</translation>
    </message>
    <message>
        <source>フォルダを選択して下さい。</source>
        <translation>Choisissez un dossier.</translation>
    </message>
    <message>
        <source>フォルダ名</source>
        <translation>Nom du dossier</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>%1 ディレクトリは存在しません</source>
        <translation>Le dossier %1 n’existe pas.</translation>
    </message>
</context>
<context>
    <name>InstanceLink</name>
    <message>
        <source>brindlecot: 途中で切れた引き継ぎを捨てました
</source>
        <translation>brindlecot: transmission interrompue abandonnée
</translation>
    </message>
    <message>
        <source>brindlecot: 時間内に届かなかった引き継ぎを捨てました
</source>
        <translation>brindlecot: transmission arrivée trop tard abandonnée
</translation>
    </message>
    <message>
        <source>brindlecot: %1バイトを超える引き継ぎを捨てました
</source>
        <translation>brindlecot: transmission de plus de %1 octets abandonnée
</translation>
    </message>
</context>
<context>
    <name>MpegHeader</name>
    <message>
        <source>MPEGオーディオのフレームヘッダが見つかりません</source>
        <translation>Aucun en-tête de trame audio MPEG trouvé</translation>
    </message>
    <message>
        <source>ビットレート不明 </source>
        <translation>Débit inconnu </translation>
    </message>
    <message>
        <source>ファイルを開けません</source>
        <translation>Impossible d’ouvrir le fichier</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>ファイルを読めません</source>
        <translation>Impossible de lire le fichier</translation>
    </message>
    <message>
        <source>VBRかもしれません</source>
        <translation>Il s’agit peut-être d’un fichier VBR.</translation>
    </message>
</context>
<context>
    <name>ProcessingList</name>
    <message>
        <source>処理待ち</source>
        <translation>Attente</translation>
    </message>
    <message>
        <source>処理中</source>
        <translation>Actif</translation>
    </message>
    <message>
        <source>処理済み</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>失敗</source>
        <translation>Échec</translation>
    </message>
    <message>
        <source>保留</source>
        <translation>Ignoré</translation>
    </message>
    <message>
        <source>処理リスト(mpa,mp2,mp3)</source>
        <translation>Liste de conversion (.mpa, .mp2, .mp3)</translation>
    </message>
</context>
<context>
    <name>QtBoxes</name>
    <message>
        <source>確認</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Oui</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;Non</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>通常のファイルではありません</source>
        <translation>pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>設定ファイルを書けません</source>
        <translation>Impossible d’écrire le fichier de réglages</translation>
    </message>
    <message>
        <source>設定ファイルを読めません</source>
        <translation>Impossible de lire le fichier de réglages</translation>
    </message>
    <message>
        <source>設定フォルダを作れません</source>
        <translation>Impossible de créer le dossier de réglages</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>brindlecotがあるフォルダかPATHにlameを置いてください</source>
        <translation>Placez lame dans le dossier de brindlecot ou dans le PATH.</translation>
    </message>
    <message>
        <source>%1がありません。<byte value="xd"/>
</source>
        <translation>%1 est introuvable.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>MPEGオーディオをWAVに変換しています</source>
        <translation>Conversion d’audio MPEG en WAV</translation>
    </message>
    <message>
        <source>変換が終わりました</source>
        <translation>Conversion terminée</translation>
    </message>
    <message>
        <source>再生できるプログラムが見つかりません</source>
        <translation>Aucun programme pour lire ce fichier n’a été trouvé.</translation>
    </message>
    <message>
        <source>複数のファイルを同時に変換する</source>
        <translation>Convertir plusieurs fichiers à la fois</translation>
    </message>
    <message>
        <source>常に前面に表示する</source>
        <translation>Toujours devant</translation>
    </message>
    <message>
        <source>このデスクトップ（Wayland）では、ここからは設定できません。ウィンドウメニューの「常に最前面」（Keep Above）を使ってください</source>
        <translation>Ce bureau (Wayland) ne laisse pas un programme garder sa fenêtre au premier plan. Utilisez plutôt «&#xa0;Toujours au premier plan&#xa0;» (Keep Above) dans le menu de la fenêtre</translation>
    </message>
    <message>
        <source>変換元フォルダ</source>
        <translation>Dossier source</translation>
    </message>
    <message>
        <source>選択</source>
        <translation>…</translation>
    </message>
    <message>
        <source>ダブルクリックで処理リスト追加</source>
        <translation>Double-cliquer pour ajouter à la liste de conversion</translation>
    </message>
    <message>
        <source>エクスプローラからD&amp;Dでも追加できます</source>
        <translation>Des fichiers peuvent aussi être déposés ici depuis le gestionnaire de fichiers</translation>
    </message>
    <message>
        <source>変換</source>
        <translation>Convertir</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Vider</translation>
    </message>
    <message>
        <source>リスト内をクリアします</source>
        <translation>Vide la liste</translation>
    </message>
    <message>
        <source>処理リストにフォルダをドロップした時にサブフォルダも検索する</source>
        <translation>Inclure les sous-dossiers des dossiers déposés</translation>
    </message>
    <message>
        <source>変換先フォルダ</source>
        <translation>Dossier de destination</translation>
    </message>
    <message>
        <source>処理/選択中のMPEG Audio情報</source>
        <translation>Infos MPEG Audio du fichier en cours ou choisi</translation>
    </message>
    <message>
        <source>出力状況</source>
        <translation>Sortie</translation>
    </message>
    <message>
        <source>全体の進捗</source>
        <translation>Global</translation>
    </message>
    <message>
        <source>個別の進捗</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>MPEG Audio → WAV変換</source>
        <translation>MPEG Audio → WAV</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Lire</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>出力先フォルダを開く</source>
        <translation>Ouvrir le dossier de sortie</translation>
    </message>
    <message>
        <source>これから変換する項目</source>
        <translation>Fichiers restant à convertir</translation>
    </message>
    <message>
        <source>変換している項目</source>
        <translation>Fichiers en cours de conversion</translation>
    </message>
    <message>
        <source>変換できた項目</source>
        <translation>Fichiers convertis</translation>
    </message>
    <message>
        <source>変換できなかった項目。理由はその項目のヒントにあります</source>
        <translation>Fichiers non convertis&#xa0;; survolez-en un pour voir pourquoi</translation>
    </message>
    <message>
        <source>同じ名前のファイルがあるため変換しなかった項目。次の変換でまた試します</source>
        <translation>Fichiers ignorés car un fichier du même nom existe&#xa0;; la prochaine conversion les réessaie</translation>
    </message>
    <message>
        <source>変換元のファイル</source>
        <translation>Fichiers sources</translation>
    </message>
    <message>
        <source>処理リスト</source>
        <translation>Liste de conversion</translation>
    </message>
    <message>
        <source>処理待ちのアイコン</source>
        <translation>Icône «&#xa0;Attente&#xa0;»</translation>
    </message>
    <message>
        <source>処理中のアイコン</source>
        <translation>Icône «&#xa0;Actif&#xa0;»</translation>
    </message>
    <message>
        <source>処理済みのアイコン</source>
        <translation>Icône «&#xa0;Terminé&#xa0;»</translation>
    </message>
    <message>
        <source>このウィンドウを他のウィンドウより前面に表示します</source>
        <translation>Garde cette fenêtre au-dessus des autres</translation>
    </message>
    <message>
        <source>CPUのコアの数までのファイルを同時に変換します。変換中は変えられません</source>
        <translation>Convertit autant de fichiers à la fois que le processeur a de cœurs&#xa0;; non modifiable pendant une conversion</translation>
    </message>
    <message>
        <source>変換するファイルを探すフォルダ</source>
        <translation>Le dossier où chercher les fichiers à convertir</translation>
    </message>
    <message>
        <source>選択した変換元フォルダ</source>
        <translation>Le dossier source choisi</translation>
    </message>
    <message>
        <source>変換元フォルダを選ぶダイアログを開きます</source>
        <translation>Ouvre une boîte de dialogue pour choisir le dossier source</translation>
    </message>
    <message>
        <source>変換元フォルダのMPEG Audioファイル。ダブルクリックかEnterで処理リストに追加します</source>
        <translation>Fichiers MPEG Audio du dossier source. Un double-clic ou Entrée en ajoute un à la liste de conversion</translation>
    </message>
    <message>
        <source>変換するファイルと状態。Deleteキーで選択した項目を削除します</source>
        <translation>Fichiers à convertir et leur état. Suppr retire les éléments choisis</translation>
    </message>
    <message>
        <source>処理リストのファイルをすべてWAVに変換します</source>
        <translation>Convertit en WAV tous les fichiers de la liste de conversion</translation>
    </message>
    <message>
        <source>変換中のファイルが終わったところで変換を中断します</source>
        <translation>Arrête la conversion une fois le fichier en cours terminé</translation>
    </message>
    <message>
        <source>WAVファイルを書き出すフォルダ</source>
        <translation>Le dossier où écrire les fichiers WAV</translation>
    </message>
    <message>
        <source>空のときは変換元と同じフォルダに書き出します</source>
        <translation>Si vide, les fichiers sont écrits à côté de leurs sources</translation>
    </message>
    <message>
        <source>変換先フォルダを選ぶダイアログを開きます</source>
        <translation>Ouvre une boîte de dialogue pour choisir le dossier de destination</translation>
    </message>
    <message>
        <source>処理中または選択中のファイルの情報</source>
        <translation>Informations sur le fichier en cours ou choisi</translation>
    </message>
    <message>
        <source>時間、バージョン、レイヤー、周波数、ビットレート、モード</source>
        <translation>Durée, version, couche, fréquence d’échantillonnage, débit, mode</translation>
    </message>
    <message>
        <source>変換の進み具合</source>
        <translation>Avancement de la conversion</translation>
    </message>
    <message>
        <source>処理リスト全体の変換の進み具合</source>
        <translation>Avancement de toute la liste de conversion</translation>
    </message>
    <message>
        <source>変換中のファイルの進み具合</source>
        <translation>Avancement du fichier en cours</translation>
    </message>
    <message>
        <source>変換中のファイルの出力先</source>
        <translation>Où s’écrit le fichier en cours</translation>
    </message>
    <message>
        <source>出力ファイルの現在の大きさ</source>
        <translation>Taille actuelle du fichier de sortie</translation>
    </message>
    <message>
        <source>クリックでホームページを開きます</source>
        <translation>Cliquer pour ouvrir le site web</translation>
    </message>
</context>
<context>
    <name>Text</name>
    <message>
        <source>%1：%2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>WavTags</name>
    <message>
        <source>タグを書き込めませんでした（%1）</source>
        <translation>Impossible d’écrire les étiquettes (%1)</translation>
    </message>
</context>
</TS>
