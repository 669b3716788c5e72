# Registry steps the demo scripts share; source it with WINEPREFIX set.
quiet() { "$@" </dev/null >/dev/null 2>&1; }
reg_add() { quiet wine reg add "$@" /f; }

# Watches the named store folders: each gets its key with nothing received yet.
watch_folders() {
  local folder key
  for folder in "$@"; do
    key="HKCU\\SOFTWARE\\Quendrel\\$folder.dbx"
    reg_add "$key" /v checked /t REG_DWORD /d 1
    reg_add "$key" /v mailreceived /t REG_SZ /d ''
    reg_add "$key" /v mailtime /t REG_BINARY /d 0000000000000000
    reg_add "$key" /v sound /t REG_SZ /d ''
  done
}
